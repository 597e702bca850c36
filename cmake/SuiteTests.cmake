# One ctest test per GoogleTest suite of a test binary, named BINARY.SUITE and running
# `BINARY --gtest_filter=SUITE.*`: a few dozen processes instead of one per case, while a failure
# still names its suite in ctest and its case in the output. The suites are listed after every
# link of the binary, so a new test file or suite needs nothing here.
function(linklab_suite_tests target)
  set(list_file "${CMAKE_CURRENT_BINARY_DIR}/${target}_suites.cmake")
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -DBINARY=$<TARGET_FILE:${target}> -DNAME=${target} -DOUTPUT=${list_file}
            -P ${PROJECT_SOURCE_DIR}/cmake/ListSuites.cmake
    VERBATIM)
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${list_file})
endfunction()
