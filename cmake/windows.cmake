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
# The C runtime's thread-safe POSIX calls the game shares with Linux (localtime_r).
add_compile_definitions(_POSIX_THREAD_SAFE_FUNCTIONS=200112L)

# The machine layer: the Win32 file system, the ground services and the
# Win32 back end (window, context, events, keys, clock and pauses).
set(MACHINE_SOURCES machine/win32/files.cpp machine/win32/folders.cpp machine/game_folders.cpp machine/swap_timing.cpp machine/memory.cpp machine/random.cpp)
add_library(machine STATIC ${MACHINE_SOURCES})
target_link_libraries(machine PUBLIC shell32 ole32)
file(GLOB WIN32_SOURCES CONFIGURE_DEPENDS machine/win32/win32_*.cpp)
add_library(machine_win32 STATIC ${WIN32_SOURCES})
target_link_libraries(machine_win32 PUBLIC machine opengl32 gdi32 user32 winmm)

# The game: the same sources as on Linux, with the PNG encoder that needs no
# libpng (render/png_encode.cpp is the libpng one).
file(GLOB GAME_SOURCES CONFIGURE_DEPENDS
  core/*.cpp world/*.cpp render/*.cpp data/*.cpp console/*.cpp platform/*.cpp)
list(FILTER GAME_SOURCES EXCLUDE REGEX ".*/core/main\\.cpp$")
# Linux-only sources: the libpng encoder and the *_posix.cpp files.
list(FILTER GAME_SOURCES EXCLUDE REGEX ".*/render/png_encode\\.cpp$|.*_posix\\.cpp$")
add_library(game STATIC ${GAME_SOURCES})
target_include_directories(game PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(game PUBLIC machine)
# The GL headers pull in all of <windows.h> unless these three are known; the
# game above the machine layer never sees Windows' macros (RegisterClass,
# CreateWindow...), as on Linux it never sees X11's.
target_compile_definitions(game PUBLIC "WINGDIAPI=__declspec(dllimport)" APIENTRY=__stdcall CALLBACK=__stdcall)
# stb_image_write (Debian's libstb-dev) is one header; only its folder is
# put on the path, never the host's whole /usr/include.
set_source_files_properties(render/png_encode_stb.cpp PROPERTIES COMPILE_OPTIONS "-isystem;/usr/include/stb")
set_source_files_properties(core/options.cpp PROPERTIES COMPILE_DEFINITIONS GAME_VERSION="${PROJECT_VERSION}")
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

# The icon is make_assets' desktop icon wrapped in an .ico; the resource
# script takes it and the application manifest (DPI awareness) into the .exe.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(ICON_PNG ${CMAKE_BINARY_DIR}/voxel-dungeon.png)
set(ICON_ICO ${CMAKE_BINARY_DIR}/voxel-dungeon.ico)
add_custom_command(OUTPUT ${ICON_ICO}
  COMMAND ${HOST_MAKE_ASSETS} --icon ${ICON_PNG}
  COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/packaging/windows/png_to_ico.py ${ICON_PNG} ${ICON_ICO}
  DEPENDS ${HOST_MAKE_ASSETS} ${CMAKE_SOURCE_DIR}/packaging/windows/png_to_ico.py
  COMMENT "Drawing the program icon")
set(RESOURCE_SCRIPT ${CMAKE_SOURCE_DIR}/machine/win32/voxel_dungeon.rc)
set_source_files_properties(${RESOURCE_SCRIPT} PROPERTIES
  OBJECT_DEPENDS "${ICON_ICO};${CMAKE_SOURCE_DIR}/machine/win32/voxel_dungeon.manifest")

# A GUI program (no console window), its entry point still main().
add_executable(voxel_dungeon WIN32 core/main.cpp ${RESOURCE_SCRIPT})
target_include_directories(voxel_dungeon PRIVATE ${CMAKE_BINARY_DIR} ${CMAKE_SOURCE_DIR}/machine/win32)
target_link_libraries(voxel_dungeon PRIVATE platform_win32)
add_dependencies(voxel_dungeon run_dir)

# Packages (cpack in build-win): a .zip to unpack anywhere and run, and an
# NSIS installer into Program Files. Both hold the game with its data folders
# beside it (never saves or screenshots) and the README.
install(TARGETS voxel_dungeon RUNTIME DESTINATION .)
install(DIRECTORY ${RUN_DIR}/ DESTINATION .
  PATTERN ".assets-stamp" EXCLUDE PATTERN "SAVEGAME*" EXCLUDE PATTERN "screenshots" EXCLUDE)
install(FILES README.md DESTINATION .)

set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_PACKAGE_NAME VoxelDungeon)
set(CPACK_PACKAGE_VENDOR "Voxel Dungeon team")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_SYSTEM_NAME win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Voxel Dungeon")
set(CPACK_STRIP_FILES ON)
# A 64-bit installer (the game is 64-bit) into the 64-bit Program Files.
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_PACKAGE_NAME "Voxel Dungeon")
set(CPACK_NSIS_DISPLAY_NAME "Voxel Dungeon")
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_PACKAGE_EXECUTABLES voxel_dungeon "Voxel Dungeon")
set(CPACK_NSIS_INSTALLED_ICON_NAME voxel_dungeon.exe)
set(CPACK_NSIS_MUI_ICON ${ICON_ICO})
set(CPACK_NSIS_MUI_UNIICON ${ICON_ICO})
set(CPACK_NSIS_MANIFEST_DPI_AWARE ON)
# The empty marker "installed" beside the .exe tells the game its folder is
# shared and read-only: saves go to the player's Saved Games folder.
set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS "FileOpen $0 '$INSTDIR\\\\installed' w\n  FileClose $0")
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS "Delete '$INSTDIR\\\\installed'")
include(CPack)

include(${CMAKE_SOURCE_DIR}/cmake/windows_tests.cmake OPTIONAL)
