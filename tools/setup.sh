#!/usr/bin/env bash
# Installs the Debian packages the game needs (when any is missing) and
# builds it in Release. Used by run.sh and test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(build-essential cmake pkg-config libsdl2-dev libgl1-mesa-dev libglu1-mesa-dev
          libosmesa6-dev libgtest-dev libbenchmark-dev xvfb xdotool x11-utils libx11-dev mingw-w64 wine64 nsis googletest libstb-dev
          clang libclang-rt-14-dev zlib1g-dev desktop-file-utils libpng-dev x11-xkb-utils python3)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  if [ "$(id -u)" -eq 0 ]; then SUDO=(); else SUDO=(sudo); fi
  "${SUDO[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${SUDO[@]}" apt-get install -y -qq "${missing[@]}"
fi

BUILD_DIR=${BUILD_DIR:-build}
cmake -S . -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=Release ${CMAKE_ARGS:-} > /dev/null
cmake --build "$BUILD_DIR" -j"$(nproc)"
