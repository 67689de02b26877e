#!/usr/bin/env bash
# Letters follow the keyboard layout, other keys keep their US place. Under a
# French (AZERTY) layout the key that types m moves the window, and the key
# at the US M place (it types a comma) does not. Needs setxkbmap (Linux);
# status 77 (skipped) where the X server keeps its layout.
# Usage: test_layout.sh GAME_BINARY RUN_DIR
source "$(dirname "${BASH_SOURCE[0]}")/driver.sh"
e2e_setup "$@"
setxkbmap -display "$DISPLAY" fr
setxkbmap -display "$DISPLAY" -query | grep -q '^layout: *fr$' || { e2e_log "SKIPPED: no French layout"; exit 77; }
e2e_start
e2e_wait_running 60 || exit 1
e2e_pointer_at 200 150
e2e_press comma 0.5 0.3
e2e_check "the key at the US M place does not move the window" "0 0 640 480" "$(e2e_geometry "$(e2e_window)")"
e2e_hold_until m 5 e2e_window_is "200 150 640 480" || true
e2e_check "the key that types m moves the window" "200 150 640 480" "$(e2e_geometry "$(e2e_window)")"
e2e_quit
e2e_finish
