# GoogleTest. A native build uses the installed libraries; a cross build compiles Debian's
# GoogleTest sources for the target, since the installed libraries are for the build machine.
if(CMAKE_CROSSCOMPILING)
  set(VANTREL_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources for cross builds")
  if(NOT EXISTS ${VANTREL_GOOGLETEST_SOURCE}/CMakeLists.txt)
    message(FATAL_ERROR "No GoogleTest sources at ${VANTREL_GOOGLETEST_SOURCE} (Debian: googletest)")
  endif()
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  # Its targets come with the same GTest:: names as the installed package's.
  add_subdirectory(${VANTREL_GOOGLETEST_SOURCE} ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
  find_package(GTest REQUIRED)
endif()
include(GoogleTest)

# Paths that the test programs open must be valid on the target: under Wine the build machine's
# root directory is drive Z:.
set(VANTREL_TARGET_PATH_PREFIX "")
if(WIN32 AND CMAKE_HOST_UNIX)
  set(VANTREL_TARGET_PATH_PREFIX "Z:")
  # Wine sets up its prefix on its first start, which takes longer than test discovery may; do it
  # once here instead.
  if(CMAKE_CROSSCOMPILING_EMULATOR)
    execute_process(COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} cmd /c exit
                    RESULT_VARIABLE _vantrel_wine_result OUTPUT_QUIET ERROR_QUIET)
    if(NOT _vantrel_wine_result EQUAL 0)
      message(FATAL_ERROR "Wine does not start (${_vantrel_wine_result}): ${CMAKE_CROSSCOMPILING_EMULATOR}")
    endif()
  endif()
endif()
