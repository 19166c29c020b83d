# Sanitizer builds. VANTREL_SANITIZERS is a list such as "address;undefined" or "thread"; every
# target of the build is instrumented, the plug-in included, so that the runtime linked into each
# test executable also watches the code it loads with the dynamic loader.
set(VANTREL_SANITIZERS "" CACHE STRING "Sanitizers to build with, e.g. address;undefined or thread")
# Builds the fuzzer (fuzz/) and adds libFuzzer's coverage instrumentation to every target, so that
# the fuzzer sees the edges of the plug-in it loads.
option(VANTREL_BUILD_FUZZER "Build the libFuzzer target over the shader (clang only)" OFF)

if(VANTREL_SANITIZERS)
  list(JOIN VANTREL_SANITIZERS "," _vantrel_sanitize)
  # Any finding ends the process with an error, so a test that triggers one fails.
  add_compile_options(-fsanitize=${_vantrel_sanitize} -fno-sanitize-recover=all
                      -fno-omit-frame-pointer -g)
  add_link_options(-fsanitize=${_vantrel_sanitize})
  if(CMAKE_CXX_COMPILER_ID MATCHES "Clang" AND "undefined" IN_LIST VANTREL_SANITIZERS)
    # clang's check of calls through function pointers exports type information from every module;
    # the plug-in must export its entry points and nothing else.
    add_compile_options(-fno-sanitize=function)
  endif()
endif()

if(VANTREL_BUILD_FUZZER)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "VANTREL_BUILD_FUZZER needs clang (libFuzzer)")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
