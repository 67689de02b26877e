#!/usr/bin/env bash
# Sets up, builds and starts the game in its prepared run directory.
set -euo pipefail
cd "$(dirname "$0")"
tools/setup.sh
cd "${BUILD_DIR:-build}/run"
exec ../voxel_dungeon
