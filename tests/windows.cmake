# The tests that run against Windows' own API, for a Windows build: the
# profile functions, the resources, and the engine's tests (objects,
# collections, texts, the pacing, the application core on user32, the world
# drawn through the real wgl and GLU, the lesson's lists, placement and
# script over the real profile functions),
# from the same sources as on Linux. The tests that drive the Linux layer
# itself (SDL's drivers, processes, sound devices) are built on Linux only.
#
# They are cross-compiled and run under Wine (tools/wine-run, with a Wine
# prefix in the build folder); ctest runs them with `ctest --preset windows`.
# Those that open windows share one virtual display for the run.

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

# The virtual display, from the first test to the end. Opening and closing
# it end the prefix's Wine, so every test runs between the two, windows or
# not: a test under way when Wine is ended loses its server.
set(PANTALLA_WINE ${CMAKE_SOURCE_DIR}/tests/windows/pantalla-wine)
add_test(NAME pantalla_wine_abrir COMMAND ${PANTALLA_WINE} abrir ${CMAKE_BINARY_DIR}/wineprefix)
add_test(NAME pantalla_wine_cerrar COMMAND ${PANTALLA_WINE} cerrar ${CMAKE_BINARY_DIR}/wineprefix)
set_tests_properties(pantalla_wine_abrir PROPERTIES FIXTURES_SETUP pantalla_wine)
set_tests_properties(pantalla_wine_cerrar PROPERTIES FIXTURES_CLEANUP pantalla_wine)

# add_windows_suite(<name> SOURCES <files...> LIBS <libraries...>)
# Discovery runs when ctest starts, so that building needs no Wine.
function(add_windows_suite name)
  cmake_parse_arguments(SUITE "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${SUITE_SOURCES})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE ${SUITE_LIBS} GTest::gtest_main)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
    PROPERTIES FIXTURES_REQUIRED pantalla_wine)
endfunction()

# Profile (INI) files: GetPrivateProfileStringA and WritePrivateProfileStringA
# of kernel32.
add_windows_suite(test_profile SOURCES
  tests/platform/test_profile.cpp tests/support/carpeta.cpp LIBS platform)

# The program's resources, compiled in as the program has them (the
# recordings' resource object that platform_main brings), read through
# kernel32's resource functions.
add_windows_suite(test_resources SOURCES
  tests/platform/test_resources.cpp
  tests/platform/test_recordings.cpp
  $<TARGET_OBJECTS:recordings>
  LIBS platform)

# Reference-counted objects, collections, texts, vectors and memory exhaustion,
# whose message box is watched through a linker wrapper.
add_windows_suite(test_base SOURCES
  tests/base/test_objetos.cpp
  tests/base/test_colecciones.cpp
  tests/base/test_texto.cpp
  tests/base/test_vector.cpp
  tests/base/test_memoria.cpp
  LIBS base)
target_link_options(test_base PRIVATE -Wl,--wrap=__imp_MessageBoxA)

# Frame pacing, on a clock of the test's own.
add_windows_suite(test_pacer SOURCES tests/platform/test_pacer.cpp LIBS platform)

# The application core on a real window of user32 and a real wgl context:
# start-up, the main loop and its ways of ending, keys, the viewport, the
# frames swapped. The default window procedure, SwapBuffers and
# InvalidateRect are watched through linker wrappers.
add_windows_suite(test_dios SOURCES tests/app/test_dios.cpp LIBS app)
target_link_options(test_dios PRIVATE -Wl,--wrap=__imp_DefWindowProcA -Wl,--wrap=__imp_SwapBuffers
  -Wl,--wrap=__imp_InvalidateRect)

# The world through the real wgl functions and glu32, GLU's quadric calls
# counted through linker wrappers as on Linux.
add_windows_suite(test_world SOURCES
  tests/world/MundoDePrueba.cpp
  tests/world/test_primitivas.cpp
  tests/world/test_seres.cpp
  tests/world/test_universo.cpp
  tests/world/test_dibujo.cpp
  tests/world/test_observador.cpp
  tests/support/contexto_gl.cpp
  LIBS world app)
target_link_options(test_world PRIVATE
  -Wl,--wrap=gluNewQuadric -Wl,--wrap=gluDeleteQuadric -Wl,--wrap=gluSphere)

# The lesson: its generator, lists, recordings read and joined, dot
# placement, and the script with the real profile functions reading and
# writing .\CPControl.ini, the real file functions reading a parent's
# recordings and the built-in ones among its resources, and what --show
# tells; the resource lookup and the sound player watched through linker
# wrappers.
add_windows_suite(test_lesson SOURCES
  tests/lesson/test_lista.cpp
  tests/lesson/test_grabacion.cpp
  tests/lesson/test_colocacion.cpp
  tests/lesson/test_guion.cpp
  tests/support/contexto_gl.cpp
  tests/support/carpeta.cpp
  ${CMAKE_SOURCE_DIR}/app/Contapuntos.cpp
  $<TARGET_OBJECTS:recordings>
  LIBS app lesson)
target_link_options(test_lesson PRIVATE -Wl,--wrap=__imp_FindResourceA -Wl,--wrap=__imp_PlaySoundA)

# The program's own resources (its manifest, icon and version information),
# read from contapuntos.exe as Windows reads them.
add_windows_suite(test_recursos_del_programa SOURCES tests/windows/test_recursos_del_programa.cpp
  LIBS version)
add_dependencies(test_recursos_del_programa contapuntos)
target_compile_definitions(test_recursos_del_programa PRIVATE VERSION_PROGRAMA="${PROJECT_VERSION}")
