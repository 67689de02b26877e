#!/usr/bin/env bash
# Sets up, builds and runs every test: short fuzzing runs (FUZZ_SECONDS each,
# 30 by default), the Windows build and its unit tests under Wine, then the
# unit suite and the end-to-end suite under Xvfb, whose summary closes the output.
set -euo pipefail
cd "$(dirname "$0")"
tools/setup.sh
fuzz_status=0
tools/fuzz.sh || fuzz_status=$?
windows_status=0
tools/windows_tests.sh || windows_status=$?
ctest --test-dir "${BUILD_DIR:-build}" --output-on-failure -j2
if [ "$fuzz_status" -ne 0 ]; then exit "$fuzz_status"; fi
exit "$windows_status"
