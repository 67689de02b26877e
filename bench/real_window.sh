#!/usr/bin/env bash
# The real window's steadiness: the game under a private Xvfb at window
# scales 2 and 4 and MVD 30, with the default frame limit and with --fps 0,
# walking from the start while mouse look swings the view left and right
# (pointer motion scripted with xdotool). A preloaded shim stamps every
# buffer swap; over SECONDS (default 8) s the intervals between swaps give
# the frames a second, the median, the 99th percentile and the largest.
#   bench/real_window.sh [GAME_BINARY] [RUN_DIR] [SECONDS]   (default build/voxel_dungeon build/run 8)
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/.." && pwd)
source "$root/tests/e2e/driver.sh"
e2e_setup "${1:-$root/build/voxel_dungeon}" "${2:-$root/build/run}"
seconds=${3:-8}
gcc -O2 -shared -fPIC -o "$E2E_TMP/swap_clock.so" "$here/swap_clock.c" -ldl
swaps="$E2E_TMP/swaps.log"

# Frames a second, median, 99th percentile and largest of the intervals
# between the swaps on lines $1..$2 of the swap log.
interval_stats() {
    sed -n "$1,$2p" "$swaps" | awk 'NR > 1 { print $1 - last } { last = $1 }' | sort -n |
        awk -v span="$seconds" '{ v[NR] = $1; sum += $1 }
            END {
                if (NR < 2) { print "too few swaps"; exit }
                p99 = int(NR * 0.99 + 0.999999); if (p99 > NR) p99 = NR
                printf "%6.1f %8.2fms %8.2fms %8.2fms %6d\n", NR * 1000 / sum, v[int((NR + 1) / 2)], v[p99], v[NR], NR
            }'
}

# The view swings across 200 overlay pixels of yaw (400 degrees) and back,
# 4 pixels every 20 ms, in one xdotool process so that starting processes
# costs the measured game nothing while it runs.
swing_command() {
    local scale=$1 steps=50 i
    local step=$((4 * scale)) args=()
    for ((i = 0; i < steps; ++i)); do args+=(mousemove_relative -- "$step" 0 sleep 0.02); done
    for ((i = 0; i < steps; ++i)); do args+=(mousemove_relative -- "-$step" 0 sleep 0.02); done
    printf '%s\n' "${args[@]}"
}

printf '%-5s %-7s %6s %10s %10s %10s %6s  %s\n' scale limit fps median "99th" largest swaps "HUD at both ends (SX,SY,SZ mx my)"
for scale in 2 4; do
    for limit in default 0; do
        fps=()
        [ "$limit" = default ] || fps=(--fps "$limit")
        : >"$swaps"
        e2e_start_in "$E2E_RUN_DIR" env LD_PRELOAD="$E2E_TMP/swap_clock.so" SWAP_CLOCK_LOG="$swaps" \
            -- --scale "$scale" "${fps[@]}"
        # Waiting for the loop re-creates the window at scale 2 (F2); F1..F4 pick the scale.
        e2e_wait_running 60 || e2e_fatal "the game did not start"
        e2e_press "F$scale"
        e2e_focus || e2e_fatal "no window"
        [ "$(e2e_geometry "$(e2e_window)" | cut -d' ' -f3)" = $((320 * scale)) ] ||
            e2e_fatal "the window did not take scale $scale"
        # ] raises the MVD by one every 100 ms up to 30.
        e2e_press bracketright 3.5 0.5
        e2e_read || e2e_fatal "no HUD"
        [ "$(echo "$E2E_COUNTS" | cut -d' ' -f3)" = 30 ] || e2e_fatal "the HUD shows '$E2E_COUNTS', not MVD 30"
        # Level view (pointer row 90) from the left of the swing, mouse look on, walking on.
        e2e_point 60 90 "$scale"
        e2e_click 3
        e2e_click 1
        mapfile -t swing < <(swing_command "$scale")
        (while :; do xdotool "${swing[@]}"; done) 2>/dev/null &
        swinger=$!
        sleep 1
        e2e_grab "$E2E_TMP/first.ppm"
        from=$(wc -l <"$swaps")
        sleep "$seconds"
        to=$(wc -l <"$swaps")
        e2e_grab "$E2E_TMP/last.ppm"
        kill "$swinger" 2>/dev/null || true
        wait "$swinger" 2>/dev/null || true
        # What the HUD showed at both ends: the cursor cell and the pointer, so
        # that a run where the player did not walk or look is seen as such.
        hud="$(e2e_text "$E2E_TMP/first.ppm" 12 31 | sed 's/^SX=//') -> $(e2e_text "$E2E_TMP/last.ppm" 12 31 | sed 's/^SX=//')"
        printf '%-5s %-7s %s  %s\n' "$scale" "$limit" "$(interval_stats "$from" "$to")" "$hud"
        e2e_quit
    done
done
