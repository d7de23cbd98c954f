# Settings every target of our own shares: warnings as errors, and Chinese
# literals written in UTF-8 but compiled to GBK bytes.
function(quorvale_target target)
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR} ${PROJECT_BINARY_DIR}/generated)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /WX /source-charset:utf-8 /execution-charset:.936)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Werror
                                             -finput-charset=UTF-8)
    # clang has no execution charset but UTF-8, so in its one build (the
    # fuzzers) Chinese literals stay UTF-8; every shipped or tested build is GCC.
    if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
      target_compile_options(${target} PRIVATE -fexec-charset=GBK)
    endif()
  endif()
endfunction()
