#!/usr/bin/env bash
# Builds the fuzz targets with clang, AddressSanitizer and UndefinedBehaviorSanitizer
# and runs each for FUZZ_SECONDS (30 by default) from the seed corpus in
# tests/fuzz/corpus. The corpus files are replayed first, so every input
# that once crashed a reader and was kept there is a regression test.
#   FUZZ_SECONDS=600 tools/fuzz.sh            # a long run
#   FUZZ_TARGETS="bitmap console" tools/fuzz.sh
set -euo pipefail
cd "$(dirname "$0")/.."
SECONDS_EACH=${FUZZ_SECONDS:-30}
TARGETS=${FUZZ_TARGETS:-"bitmap overworld savegame console"}
# Absolute paths: the targets work in a temporary folder of their own.
BUILD=$(realpath -m "${FUZZ_BUILD_DIR:-build-fuzz}")

CC=clang CXX=clang++ cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDUNGEON_FUZZ=ON > /dev/null
for t in $TARGETS; do cmake --build "$BUILD" -j"$(nproc)" --target "fuzz_$t" > /dev/null; done

export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
status=0
for t in $TARGETS; do
  work="$BUILD/corpus/$t"
  mkdir -p "$work" "$BUILD/artifacts"
  cp -n "$PWD"/tests/fuzz/corpus/"$t"/* "$work"/ 2>/dev/null || true
  echo "fuzz_$t: ${SECONDS_EACH}s"
  if ! "$BUILD/fuzz_$t" -max_total_time="$SECONDS_EACH" -max_len=4096 -timeout=20 -rss_limit_mb=4096 \
        -artifact_prefix="$BUILD/artifacts/$t-" -print_final_stats=1 "$work" > "$BUILD/fuzz_$t.log" 2>&1; then
    echo "fuzz_$t FOUND A FAILURE; see $BUILD/fuzz_$t.log and $BUILD/artifacts"
    tail -40 "$BUILD/fuzz_$t.log"
    status=1
  else
    grep -E "stat::number_of_executed_units" "$BUILD/fuzz_$t.log" || true
  fi
done
exit $status
