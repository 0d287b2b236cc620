# The tests that run against Windows' own API, for a Windows build: the
# profile functions and the resources, from the same sources as on Linux.
# The rest of tests/ drives the Linux layer (SDL's drivers, linker wrappers)
# and is built on Linux only.
#
# They are cross-compiled and run under Wine (tools/wine-run, with a Wine
# prefix in the build folder); ctest runs them with `ctest --preset windows`.

# GoogleTest from Debian's sources, built with the cross compiler; its CMake
# file gives GTest::gtest_main. Its platform hook comes from tests/windows/
# (see the header there), ahead of GoogleTest's own empty one.
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
target_include_directories(gtest BEFORE PUBLIC ${CMAKE_SOURCE_DIR}/tests/windows)
include(GoogleTest)

# Every test program, and test discovery, starts under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR
  ${CMAKE_SOURCE_DIR}/tools/wine-run ${CMAKE_BINARY_DIR}/wineprefix)

# add_windows_suite(<name> SOURCES <files...> LIBS <libraries...>)
# Discovery runs when ctest starts, so that building needs no Wine.
function(add_windows_suite name)
  cmake_parse_arguments(SUITE "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${SUITE_SOURCES})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE ${SUITE_LIBS} GTest::gtest_main)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120)
endfunction()

# Profile (INI) files: GetPrivateProfileStringA and WritePrivateProfileStringA
# of kernel32.
add_windows_suite(test_profile SOURCES tests/platform/test_profile.cpp LIBS platform)

# The program's resources, compiled in as the program has them (the
# recordings' resource object that platform_main brings), read through
# kernel32's resource functions.
add_windows_suite(test_resources SOURCES
  tests/platform/test_resources.cpp
  tests/platform/test_recordings.cpp
  $<TARGET_OBJECTS:recordings>
  LIBS platform)
