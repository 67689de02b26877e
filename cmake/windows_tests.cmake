# The Windows unit tests: what needs no OpenGL (the world pins,
# the file layer and the save switch, folders, options, the console), cross-
# built with mingw and run by ctest under Wine (label `windows`). Included at
# the end of cmake/windows.cmake, which defines the `game` and `machine` libraries.
#
# Their back end is machine/headless as it stands, its off-screen context
# one that draws nothing (tests/windows/osmesa_none.cpp, OSMesa is not at
# hand): the game's gl* calls go to opengl32 with nothing current and do nothing.
set(VD_ROOT ${CMAKE_CURRENT_LIST_DIR}/..)
enable_testing()

# GoogleTest from Debian's sources, built with the cross compiler.
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

file(GLOB HEADLESS_SOURCES CONFIGURE_DEPENDS ${VD_ROOT}/machine/headless/*.cpp)
add_library(machine_wintest STATIC ${HEADLESS_SOURCES} ${VD_ROOT}/tests/windows/osmesa_none.cpp)
target_include_directories(machine_wintest PRIVATE ${VD_ROOT}/tests/windows)
# Its GL header keeps <windows.h> out as the game's does.
target_compile_definitions(machine_wintest PRIVATE $<TARGET_PROPERTY:game,INTERFACE_COMPILE_DEFINITIONS>)
target_link_libraries(machine_wintest PUBLIC machine opengl32)

# The run folder as Wine sees it: the Linux root is drive Z:.
set(WIN_TESTS_RUN_DIR "Z:${CMAKE_BINARY_DIR}/run")

# Shared test files are listed, not copied; tests/test_util.h's one POSIX
# call that mingw lacks (mkdtemp) comes from posix_compat.
set(WINDOWS_TEST_SOURCES tests/test_world_pins.cpp tests/test_options.cpp
  tests/test_console.cpp tests/test_files.cpp tests/test_savegame.cpp tests/windows/posix_compat.cpp)
list(TRANSFORM WINDOWS_TEST_SOURCES PREPEND ${VD_ROOT}/)
add_executable(windows_unit_tests ${WINDOWS_TEST_SOURCES})
target_compile_definitions(windows_unit_tests PRIVATE RUN_DIR="${WIN_TESTS_RUN_DIR}")
target_compile_options(windows_unit_tests PRIVATE -include ${VD_ROOT}/tests/windows/posix_compat.h)
target_include_directories(windows_unit_tests PRIVATE ${VD_ROOT}/tests)
target_include_directories(windows_unit_tests SYSTEM PRIVATE /usr/include/stb)
target_link_libraries(windows_unit_tests PRIVATE game machine_wintest machine gtest_main opengl32 glu32)
target_link_options(windows_unit_tests PRIVATE -static)

# The prepared-slot writer of the end-to-end tests on this back end: with
# the host's own (HOST_MAKE_E2E_SLOT) it shows that the same seed gives the
# same four files byte for byte, and that the host's slot loads here.
add_executable(windows_make_slot ${VD_ROOT}/tests/e2e/make_slot.cpp)
target_link_libraries(windows_make_slot PRIVATE game machine_wintest machine opengl32 glu32)
target_link_options(windows_make_slot PRIVATE -static)

# Wine keeps its own Windows in a prefix; the tests share one (WINEPREFIX
# from the environment, else one in the build tree) and one persistent Wine
# server, started first and ended last. Wine's own processes must not hold
# ctest's output pipe, or ctest waits for them: their streams go to /dev/null.
if(DEFINED ENV{WINEPREFIX})
  set(WIN_TESTS_PREFIX $ENV{WINEPREFIX})
else()
  set(WIN_TESTS_PREFIX ${CMAKE_BINARY_DIR}/wine-prefix)
endif()
set(WIN_TESTS_ENV "WINEPREFIX=${WIN_TESTS_PREFIX}" "WINEDEBUG=-all")
add_test(NAME windows.wine_start COMMAND sh -c
  "{ mkdir -p \"$WINEPREFIX\"; wineserver -p; wineboot -i; } > /dev/null 2>&1 < /dev/null; exit 0")
add_test(NAME windows.wine_stop COMMAND sh -c "wineserver -k; exit 0")
set_tests_properties(windows.wine_start PROPERTIES LABELS windows FIXTURES_SETUP wine ENVIRONMENT "${WIN_TESTS_ENV}")
set_tests_properties(windows.wine_stop PROPERTIES LABELS windows FIXTURES_CLEANUP wine ENVIRONMENT "${WIN_TESTS_ENV}")

# One ctest test per test case, found by asking the program under Wine.
include(GoogleTest)
gtest_discover_tests(windows_unit_tests DISCOVERY_MODE PRE_TEST TEST_PREFIX windows. DISCOVERY_TIMEOUT 60
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
  PROPERTIES LABELS windows FIXTURES_REQUIRED wine TIMEOUT 120 ENVIRONMENT "${WIN_TESTS_ENV}")

set(HOST_MAKE_E2E_SLOT "" CACHE FILEPATH "The host build's make_e2e_slot, for the same-save test")
if(HOST_MAKE_E2E_SLOT)
  add_test(NAME windows.same_slot_as_host
    COMMAND bash ${VD_ROOT}/tests/windows/same_slot.sh ${HOST_MAKE_E2E_SLOT} $<TARGET_FILE:windows_make_slot>
      $<TARGET_FILE:windows_unit_tests> ${CMAKE_BINARY_DIR}/run)
  set_tests_properties(windows.same_slot_as_host PROPERTIES LABELS windows FIXTURES_REQUIRED wine
    ENVIRONMENT "${WIN_TESTS_ENV}")
endif()
