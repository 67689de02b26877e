#!/usr/bin/env bash
# Every steadiness figure in one run, for a quiet machine:
#   1. the timedemo on the headless back end (no limit; scales 2 and 4, MVD 6
#      and 30): median, 99th percentile and largest frame, each stage's median
#      and 99th percentile, the slowest frames stage by stage;
#   2. the real window under Xvfb (scales 2 and 4, MVD 30, default limit and
#      --fps 0, walking while mouse look swings the view): frames a second,
#      median, 99th percentile and largest interval between buffer swaps.
#   bench/smooth_frames.sh [BUILD_DIR] [SECONDS]   (default build, 8 s a window run)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$root/build}
seconds=${2:-8}
echo "== timedemo ($build/bench_frame 30 demo)"
"$build/bench_frame" 30 demo
echo
echo "== real window (bench/real_window.sh, $seconds s a run)"
"$root/bench/real_window.sh" "$build/voxel_dungeon" "$build/run" "$seconds"
