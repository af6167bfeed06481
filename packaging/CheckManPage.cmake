# Renders a manual page and fails on any warning of the formatter.
execute_process(COMMAND ${MAN} --warnings -E UTF-8 -l ${PAGE}
  OUTPUT_VARIABLE text ERROR_VARIABLE warnings RESULT_VARIABLE status
  ENCODING UTF-8)
if(NOT status EQUAL 0 OR NOT warnings STREQUAL "" OR text STREQUAL "")
  message(FATAL_ERROR "${PAGE}: status ${status}\n${warnings}")
endif()
