# Every target of the project gets the same language level, warnings and, in the test build,
# the sanitizers; set per target so nothing leaks into third-party code.
function(linklab_defaults target)
  target_compile_features(${target} PUBLIC cxx_std_20)
  set_target_properties(${target} PROPERTIES CXX_EXTENSIONS OFF)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    # GCC 12 at -O2 reports std::string assignments from literals as overlapping copies
    # (GCC bug 105329), a false positive.
    target_compile_options(${target} PRIVATE -Wno-restrict)
  endif()
  if(LINKLAB_SANITIZE)
    target_compile_options(${target} PUBLIC -fsanitize=address,undefined -fno-omit-frame-pointer
                                            -fno-sanitize-recover=undefined)
    target_link_options(${target} PUBLIC -fsanitize=address,undefined)
  endif()
endfunction()
