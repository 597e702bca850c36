# Runs the program on a script and compares what it prints with the expected lines.
execute_process(COMMAND ${PROGRAM} --batch ${SCRIPT} OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
file(READ ${EXPECTED} expected)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "exit ${status}: ${err}")
endif()
if(NOT out STREQUAL expected)
  message(FATAL_ERROR "printed:\n${out}\nexpected:\n${expected}")
endif()
