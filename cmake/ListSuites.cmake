# Writes OUTPUT: one add_test per suite that BINARY lists (see SuiteTests.cmake).
execute_process(COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ${BINARY} --gtest_list_tests
                OUTPUT_VARIABLE listing RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${BINARY} --gtest_list_tests failed: ${status}")
endif()
string(REPLACE "\n" ";" lines "${listing}")
set(tests "")
foreach(line IN LISTS lines)
  # Suite lines start in the first column and end with a dot (a typed suite adds a comment).
  if(line MATCHES "^([^ #][^ ]*)\\.")
    set(suite ${CMAKE_MATCH_1})
    string(APPEND tests "add_test([=[${NAME}.${suite}]=] [=[${BINARY}]=] [=[--gtest_filter=${suite}.*]=] --gtest_brief=1)\n"
                        "set_tests_properties([=[${NAME}.${suite}]=] PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)\n")
  endif()
endforeach()
file(WRITE ${OUTPUT} "${tests}")
