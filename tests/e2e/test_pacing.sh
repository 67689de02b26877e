#!/usr/bin/env bash
# Frame pacing under Xvfb (no vsync): walking in the open sky, where every
# frame moves the player 0.1 / cycleStep = 0.05 of a cell, the time it takes
# to cross 30 cells gives the frame rate. By default that is 60 frames a
# second (10 s for the 30 cells); with --fps 0 the game runs unlimited and
# walks faster; a rate outside 0 and 30..240 is refused with status 2.
# Usage: test_pacing.sh GAME_BINARY RUN_DIR (make_e2e_slot beside the game)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

e2e_setup "$1" "$2"
e2e_fresh_run_dir
e2e_build_probe || exit 1
e2e_find_make_slot
"$MAKE_SLOT" "$E2E_RUN_DIR" 1 surface 100000000 >/dev/null || exit 1
CELLS=30
STEP=0.05   # cells a frame at cycleStep 2

sy() { echo "$E2E_POS" | cut -d' ' -f2; }
now_s() { date +%s.%N; }

# Loads the sky scene, looks level toward smaller y with MVD 1 (every frame
# costs the same), walks, and prints the frames a second that the time to
# cross $CELLS cells gives, into FPS. $1 limits the wait in seconds.
measure_fps() {
    local limit=$1 start_y t0 t1
    FPS=
    e2e_point_overlay 10 90
    e2e_click 3
    e2e_slot_op F7 Loading
    e2e_press bracketleft 1.5 0.2
    e2e_read_position || return 1
    start_y=$(sy)
    e2e_click 1
    # The clock starts when the first cell boundary is crossed.
    e2e_until 5 eval 'e2e_read_position && [ -n "$E2E_POS" ] && [ "$(sy)" -lt '"$start_y"' ]' || return 1
    t0=$(now_s)
    start_y=$(sy)
    e2e_until "$limit" eval 'e2e_read_position && [ -n "$E2E_POS" ] && [ "$(sy)" -le '"$((start_y - CELLS))"' ]' ||
        return 1
    t1=$(now_s)
    e2e_click 1
    FPS=$(awk -v c="$CELLS" -v s="$STEP" -v a="$t0" -v b="$t1" 'BEGIN { printf "%.1f\n", c / s / (b - a) }')
}

# walk_rate LABEL [OPTIONS...]: starts the game with the options, measures
# its frame rate from the walk (FPS), logs it and quits with Escape.
walk_rate() {
    local label=$1
    shift
    e2e_start_game "$@"
    e2e_wait_running 60 || exit 1
    e2e_focus_window >/dev/null || exit 1
    measure_fps 20 || e2e_fatal "$label: the walk in the sky did not cross $CELLS cells in 20 s (at $E2E_POS)"
    e2e_log "$label: $FPS frames a second"
    e2e_quit_by_escape
}

# --- default: 60 frames a second ---
walk_rate default
e2e_check_that "by default the game runs 57 to 61 frames a second (30 cells in about 10 s)" "$FPS" \
    awk -v f="$FPS" 'BEGIN { exit !(f >= 57 && f <= 61) }'
e2e_check "Escape ends the game with status 0" 0 "$E2E_EXIT"

# --- --fps 0: no limit ---
walk_rate "--fps 0" --fps 0
e2e_check_that "--fps 0 runs unlimited: well over 61 frames a second" "$FPS" \
    awk -v f="$FPS" 'BEGIN { exit !(f >= 90) }'

# --- a rate out of range ---
for bad in 29 241 x; do
    e2e_start_game --fps "$bad"
    e2e_wait_exit 5 || true
    e2e_check "--fps $bad is refused with status 2" 2 "$E2E_EXIT"
done
e2e_check_that "the refusal prints the usage" "$(cat "$E2E_TMP/game.log")" grep -q -- '^  --fps N' "$E2E_TMP/game.log"
e2e_finish
