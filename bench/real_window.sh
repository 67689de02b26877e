#!/usr/bin/env bash
# The whole frame in the real window: the game under a private Xvfb at window
# scales 2 and 4 with no frame limit, at its start position, MVD 6 and 30.
# A preloaded shim times the buffer swaps; each figure is the median of the
# 100-swap means taken over about 5 s.
#   bench/real_window.sh [GAME_BINARY] [RUN_DIR]   (default build/voxel_dungeon build/run)
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/.." && pwd)
source "$root/tests/e2e/driver.sh"
e2e_setup "${1:-$root/build/voxel_dungeon}" "${2:-$root/build/run}"
gcc -O2 -shared -fPIC -o "$E2E_TMP/swap_clock.so" "$here/swap_clock.c" -ldl

# The median of the swap-clock lines written since line $1 of the log.
median_since() {
    tail -n +"$1" "$E2E_TMP/game.log" | awk '/^swap-clock:/ { print $2 }' | sort -n |
        awk '{ v[NR] = $1 } END { if (NR) printf "%.2f", v[int((NR + 1) / 2)]; else print "none" }'
}

printf '%-6s %8s %8s\n' scale "MVD 6" "MVD 30"
for scale in 2 4; do
    e2e_start_in "$E2E_RUN_DIR" env LD_PRELOAD="$E2E_TMP/swap_clock.so" -- --scale "$scale" --fps 0
    # Waiting for the loop re-creates the window at scale 2 (F2); F1..F4 pick the scale.
    e2e_wait_running 60 || e2e_fatal "the game did not start"
    e2e_press "F$scale" 0.3
    e2e_focus || e2e_fatal "no window"
    [ "$(e2e_geometry "$(e2e_window)" | cut -d' ' -f3)" = $((320 * scale)) ] ||
        e2e_fatal "the window did not take scale $scale"
    sleep 2
    from=$(($(wc -l <"$E2E_TMP/game.log") + 1))
    sleep 5
    six=$(median_since "$from")
    # ] raises the MVD by one every 100 ms up to 30.
    e2e_press bracketright 3.5 0.5
    e2e_read || true
    [ "$(echo "$E2E_COUNTS" | cut -d' ' -f3)" = 30 ] || e2e_fatal "the HUD shows '$E2E_COUNTS', not MVD 30"
    from=$(($(wc -l <"$E2E_TMP/game.log") + 1))
    sleep 5
    thirty=$(median_since "$from")
    printf '%-6s %6sms %6sms\n' "$scale" "$six" "$thirty"
    e2e_quit
done
