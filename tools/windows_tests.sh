#!/usr/bin/env bash
# Cross-builds the Windows game and its packages with mingw-w64 and runs its
# unit tests under Wine (the ctest label `windows`), in a Wine prefix of the
# build tree's own.
# Needs the Linux build (BUILD_DIR, default build/, made by tools/setup.sh):
# its make_assets draws the Windows run folder and its make_e2e_slot writes
# the slot the Windows build must match byte for byte.
set -euo pipefail
cd "$(dirname "$0")/.."
host=$PWD/${BUILD_DIR:-build}
win=${WIN_BUILD_DIR:-build-win}
export WINEPREFIX=${WINEPREFIX:-$PWD/$win/wine-prefix} WINEDEBUG=-all
cmake -S . -B "$win" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release \
  -DHOST_MAKE_ASSETS="$host/make_assets" -DHOST_MAKE_E2E_SLOT="$host/make_e2e_slot" > /dev/null
cmake --build "$win" -j"$(nproc)"
# The zip and the NSIS installer, which the Wine end-to-end scenarios of the
# Linux ctest run install.
(cd "$win" && cpack -G "ZIP;NSIS" > /dev/null)
# One Wine server serves all the tests instead of one started per test (one
# that already runs for this prefix is kept); the prefix is made once.
mkdir -p "$WINEPREFIX"
wineserver -p 2> /dev/null || true
# (wine64 alone warns that it has no 32-bit half; the prefix is made all the same.)
wineboot -i > /dev/null 2>&1 || true
trap 'wineserver -k || true' EXIT
ctest --test-dir "$win" -L windows --output-on-failure -j2
