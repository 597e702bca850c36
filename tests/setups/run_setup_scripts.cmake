# The program end to end: a setup saved by one batch run and opened by another prints the same
# setup text; a broken setup stops its script with exit 1 and both line numbers.
set(file ${WORK}/end_to_end.linklab)
file(WRITE ${WORK}/save.txt "set cmbScene Full\nset cmbMod(0) OQPSK\nset cmbFilter(0) Gaussian\nset cmbTxBW(0) 0.50\n"
                            "set cmbNoise 0.6\nset hscSample 7\nclick chkLinear\nsave setup ${file}\nprint setup\n")
file(WRITE ${WORK}/open.txt "set cmbScene Scatter\nopen setup ${file}\nprint setup\n")
file(WRITE ${WORK}/broken.linklab "linklab setup 1\ncmbScene = Full\ncmbMod(0) = 16-QAM\nhscSample = 500\n")
file(WRITE ${WORK}/broken.txt "set cmbScene Full\n# the next line fails\nopen setup ${WORK}/broken.linklab\nprint setup\n")

execute_process(COMMAND ${PROGRAM} --batch ${WORK}/save.txt OUTPUT_VARIABLE saved ERROR_VARIABLE err RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "saving: exit ${status}: ${err}")
endif()
file(READ ${file} written)
if(NOT saved STREQUAL "${written}end\n" OR NOT written MATCHES "^linklab setup 1\n")
  message(FATAL_ERROR "print setup:\n${saved}\nthe file:\n${written}")
endif()

execute_process(COMMAND ${PROGRAM} --batch ${WORK}/open.txt OUTPUT_VARIABLE opened ERROR_VARIABLE err RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT opened STREQUAL saved)
  message(FATAL_ERROR "opening: exit ${status}: ${err}\nprinted:\n${opened}\nsaved:\n${saved}")
endif()

execute_process(COMMAND ${PROGRAM} --batch ${WORK}/broken.txt OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
if(NOT status EQUAL 1 OR NOT out STREQUAL "" OR NOT err MATCHES "error: line 3: [^\n]*broken.linklab: line 4: [^\n]*near '500'\n")
  message(FATAL_ERROR "broken setup: exit ${status}\nprinted:\n${out}\non standard error:\n${err}")
endif()
