# The Windows game, cross-built on Linux with mingw-w64 (cmake/mingw-w64.cmake).
# CMakeLists.txt includes this file instead of its Linux part when the
# target is Windows; the Linux build never reads it.
#
#   cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
#         -DHOST_MAKE_ASSETS=build/make_assets
#   cmake --build build-win -j2 && (cd build-win && cpack)
#
# tools/build_windows.sh does all of it in one command.

enable_language(RC)

# Everything links statically (the C and C++ runtimes, winpthread), so the
# .exe imports nothing but DLLs that are part of Windows.
add_link_options(-static -static-libgcc -static-libstdc++)
# Windows headers: no min/max macros, the lean set, Windows 7 calls and up.
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)

# The machine layer: the Win32 file system, the ground services and the
# Win32 back end (window, context, events, keys, clock and pauses).
set(MACHINE_SOURCES machine/win32/files.cpp machine/win32/folders.cpp machine/memory.cpp machine/random.cpp)
add_library(machine STATIC ${MACHINE_SOURCES})
target_link_libraries(machine PUBLIC shell32 ole32 uuid)
file(GLOB WIN32_SOURCES CONFIGURE_DEPENDS machine/win32/win32_*.cpp)
add_library(machine_win32 STATIC ${WIN32_SOURCES})
target_link_libraries(machine_win32 PUBLIC machine opengl32 gdi32 user32 winmm)

# The game: the same sources as on Linux, with the PNG encoder that needs no
# libpng (render/png_encode.cpp is the libpng one).
file(GLOB GAME_SOURCES CONFIGURE_DEPENDS
  core/*.cpp world/*.cpp render/*.cpp data/*.cpp console/*.cpp platform/*.cpp)
list(FILTER GAME_SOURCES EXCLUDE REGEX ".*/core/main\\.cpp$")
list(FILTER GAME_SOURCES EXCLUDE REGEX ".*/render/png_encode\\.cpp$")
list(FILTER GAME_SOURCES EXCLUDE REGEX ".*_posix\\.cpp$")
set_source_files_properties(render/png_encode_stb.cpp PROPERTIES COMPILE_OPTIONS "-isystem;/usr/include/stb")
add_library(game STATIC ${GAME_SOURCES})
target_include_directories(game PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(game PUBLIC machine)
set_source_files_properties(core/options.cpp PROPERTIES COMPILE_DEFINITIONS GAME_VERSION="${PROJECT_VERSION}")
# GL/gl.h pulls in all of windows.h unless its calling conventions are
# given; the game needs none of it, and its macros (RegisterClass,
# CreateWindow) would rename the game's own WindowFailure names.
# localtime_r comes with the POSIX thread-safe set of mingw's time.h.
target_compile_definitions(game PRIVATE APIENTRY=__stdcall CALLBACK=__stdcall "WINGDIAPI=__declspec(dllimport)"
  _POSIX_THREAD_SAFE_FUNCTIONS)
add_library(platform_win32 INTERFACE)
target_link_libraries(platform_win32 INTERFACE game machine_win32 glu32 opengl32 windowscodecs ole32)

# The run folder's asset pack is drawn by the host's make_assets (a Linux
# build of this tree): HOST_MAKE_ASSETS names it, by default build/make_assets.
set(HOST_MAKE_ASSETS ${CMAKE_SOURCE_DIR}/build/make_assets CACHE FILEPATH "make_assets built for the host")
if(NOT EXISTS ${HOST_MAKE_ASSETS})
  message(FATAL_ERROR "No host make_assets at ${HOST_MAKE_ASSETS}: build the Linux tree first "
    "(cmake -S . -B build && cmake --build build --target make_assets) or pass -DHOST_MAKE_ASSETS=path")
endif()
set(RUN_DIR ${CMAKE_BINARY_DIR}/run)
add_custom_command(
  OUTPUT ${RUN_DIR}/.assets-stamp
  COMMAND ${HOST_MAKE_ASSETS} ${RUN_DIR}
  COMMAND ${CMAKE_COMMAND} -E touch ${RUN_DIR}/.assets-stamp
  DEPENDS ${HOST_MAKE_ASSETS}
  COMMENT "Writing the default asset pack into ${RUN_DIR}")
add_custom_target(run_dir ALL DEPENDS ${RUN_DIR}/.assets-stamp)

add_executable(voxel_dungeon WIN32 core/main.cpp)
target_link_libraries(voxel_dungeon PRIVATE platform_win32)
add_dependencies(voxel_dungeon run_dir)

include(${CMAKE_SOURCE_DIR}/cmake/windows_tests.cmake OPTIONAL)
