#!/usr/bin/env bash
# Sets up, builds and runs every test: short fuzzing runs (FUZZ_SECONDS each,
# 30 by default), then the unit suite and the end-to-end suite under Xvfb,
# whose summary closes the output.
set -euo pipefail
cd "$(dirname "$0")"
tools/setup.sh
fuzz_status=0
tools/fuzz.sh || fuzz_status=$?
ctest --test-dir "${BUILD_DIR:-build}" --output-on-failure -j2
exit $fuzz_status
