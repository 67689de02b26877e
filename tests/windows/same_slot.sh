#!/usr/bin/env bash
# The same seed gives the same save on Linux and on Windows, and a slot the
# Linux build wrote loads under Windows and saves back unchanged:
#   same_slot.sh HOST_MAKE_E2E_SLOT WINDOWS_MAKE_SLOT WINDOWS_UNIT_TESTS RUN_DIR
set -euo pipefail
host_tool=$1 windows_tool=$2 windows_tests=$3 run=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for side in linux windows; do cp -r "$run" "$work/$side"; rm -f "$work/$side"/map/SAVEGAME*; done
"$host_tool" "$work/linux" 1 5000 > /dev/null
wine "$windows_tool" "Z:$work/windows" 1 5000 > /dev/null
# The start position the tools print is in the variables file too.
for kind in mainmap flagmap unit variables; do cmp "$work"/{linux,windows}/map/SAVEGAME1.$kind; done
FOREIGN_SLOTS="Z:$work/linux/map" wine "$windows_tests" --gtest_also_run_disabled_tests \
  --gtest_filter='*AForeignSlotLoadsAndSavesBackTheSame'
