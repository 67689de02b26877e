#!/usr/bin/env bash
# Sets up, builds and runs every test: the unit suite, the end-to-end suite
# under Xvfb and short fuzzing runs (FUZZ_SECONDS each, 30 by default).
set -euo pipefail
cd "$(dirname "$0")"
tools/setup.sh
ctest --test-dir "${BUILD_DIR:-build}" --output-on-failure -j2
tools/fuzz.sh
