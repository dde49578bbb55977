# Each layer of the code sees only its own folder and the folders below it:
# its include root holds links to those folders alone, so an include that
# reaches up to a higher layer does not build.
#   vantrel_layer_view(TARGET SCOPE FOLDER...)   folders under src/
function(vantrel_layer_view target scope)
  set(view ${CMAKE_BINARY_DIR}/views/${target})
  file(MAKE_DIRECTORY ${view})
  foreach(folder ${ARGN})
    if(NOT EXISTS ${view}/${folder})
      file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${folder} ${view}/${folder} SYMBOLIC)
    endif()
  endforeach()
  target_include_directories(${target} ${scope} ${view})
endfunction()
