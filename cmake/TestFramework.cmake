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
