# Embeds the one application manifest (src/resources/app.manifest.in) in a
# Windows program; DEPENDENCY is the XML of the assemblies that program alone needs.
set(VANTREL_RESOURCES_DIR ${CMAKE_CURRENT_LIST_DIR}/../src/resources)

function(vantrel_embed_manifest target description dependency)
  set(MANIFEST_NAME "Vantrel.${target}")
  set(MANIFEST_DESCRIPTION "${description}")
  set(MANIFEST_DEPENDENCY "${dependency}")
  set(folder ${CMAKE_BINARY_DIR}/manifests/${target})
  configure_file(${VANTREL_RESOURCES_DIR}/app.manifest.in ${folder}/app.manifest @ONLY)
  target_sources(${target} PRIVATE ${VANTREL_RESOURCES_DIR}/Manifest.rc)
  # windres finds app.manifest through the include path; a change of it rebuilds the resource.
  target_include_directories(${target} PRIVATE ${folder})
  set_property(SOURCE ${VANTREL_RESOURCES_DIR}/Manifest.rc APPEND PROPERTY OBJECT_DEPENDS ${folder}/app.manifest)
endfunction()
