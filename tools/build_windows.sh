#!/usr/bin/env bash
# Builds the Windows game from Linux in one command: the host's make_assets
# (a Linux build in build/, for the asset pack and the icon), the game
# cross-built with mingw-w64 into build-win/, and its two packages there:
# VoxelDungeon-VERSION-win64.zip (unzip anywhere and run voxel_dungeon.exe)
# and VoxelDungeon-VERSION-win64.exe (the NSIS installer).
#   tools/build_windows.sh            HOST_BUILD=build WIN_BUILD=build-win JOBS=2 by default
set -euo pipefail
cd "$(dirname "$0")/.."
HOST_BUILD=${HOST_BUILD:-build}
WIN_BUILD=${WIN_BUILD:-build-win}
JOBS=${JOBS:-2}
for tool in x86_64-w64-mingw32-g++-posix x86_64-w64-mingw32-windres makensis; do
    command -v "$tool" >/dev/null || { echo "build_windows: missing $tool (tools/setup.sh installs mingw-w64 and nsis)" >&2; exit 1; }
done
[ -f "$HOST_BUILD/CMakeCache.txt" ] || cmake -S . -B "$HOST_BUILD" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$HOST_BUILD" --target make_assets -j"$JOBS"
cmake -S . -B "$WIN_BUILD" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release \
    -DHOST_MAKE_ASSETS="$PWD/$HOST_BUILD/make_assets" >/dev/null
cmake --build "$WIN_BUILD" -j"$JOBS"
(cd "$WIN_BUILD" && cpack -G "ZIP;NSIS")
ls -l "$WIN_BUILD"/voxel_dungeon.exe "$WIN_BUILD"/VoxelDungeon-*-win64.*
