# Run by CPack on the files it has laid out, before it packs them: each gets
# the release's time, so that two builds of one commit pack the same bytes.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  execute_process(COMMAND find "${CPACK_TEMPORARY_DIRECTORY}" -exec touch -h -d "@$ENV{SOURCE_DATE_EPOCH}" {} +
                  RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "the packed files' times could not be set")
  endif()
endif()
