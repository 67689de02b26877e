#!/usr/bin/env bash
# Frame pacing (Xvfb has no vsync): a walk in the open sky moves 0.05 of a
# cell a frame, so the time to cross 30 cells gives the frame rate: 57..61
# by default, well over 61 with --fps 0.
# Usage: test_pacing.sh GAME_BINARY RUN_DIR (make_e2e_slot beside the game)
source "$(dirname "${BASH_SOURCE[0]}")/driver.sh"
e2e_setup "$@"
e2e_fresh_run_dir
"$(e2e_helper make_e2e_slot)" "$E2E_RUN_DIR" 1 100000000 >/dev/null
sy() { echo "$E2E_POS" | cut -d' ' -f2; }
# walk_rate [OPTIONS...]: loads the sky, looks level toward smaller y with
# MVD 1 (every frame costs the same), walks 30 cells; FPS is the rate.
walk_rate() {
    local y t0
    e2e_start "$@"
    e2e_wait_running 60 || exit 1
    e2e_point 10 90
    e2e_click 3
    e2e_slot_op F7 Loading
    e2e_press bracketleft 1.5 0.2
    e2e_read || e2e_fatal "no position on the HUD"
    y=$(sy)
    e2e_click 1
    e2e_until 5 eval 'e2e_read && [ "$(sy)" -lt '"$y"' ]' || e2e_fatal "no walk (at $E2E_POS)"
    t0=$(date +%s.%N) y=$(sy)
    e2e_until 20 eval 'e2e_read && [ "$(sy)" -le '"$((y - 30))"' ]' || e2e_fatal "30 cells not crossed in 20 s"
    FPS=$(awk -v a="$t0" -v b="$(date +%s.%N)" 'BEGIN { printf "%.1f", 30 / 0.05 / (b - a) }')
    e2e_log "${*:-default}: $FPS frames a second"
    e2e_quit
}
walk_rate
e2e_check_that "by default 57 to 61 frames a second" "$FPS" awk -v f="$FPS" 'BEGIN { exit !(f >= 57 && f <= 61) }'
walk_rate --fps 0
e2e_check_that "--fps 0: well over 61 frames a second" "$FPS" awk -v f="$FPS" 'BEGIN { exit !(f >= 90) }'
e2e_finish
