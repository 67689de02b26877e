#!/usr/bin/env bash
# Letter keys follow the keyboard layout, everything else stays where it is
# on a US keyboard. Under a French (AZERTY) layout: the key that types Z
# walks backward and the one at the US Z place (it types W) does not; the
# key that types M moves the window and the one at the US M place does not;
# the console takes "env4cyclestep 1" with its letters from the keys that
# type them and its digits from the digit row, and the walking step changes.
# Usage: test_layout.sh GAME_BINARY RUN_DIR (make_e2e_slot beside the game)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

e2e_setup "$1" "$2"
command -v setxkbmap >/dev/null || { e2e_log "missing tool: setxkbmap (x11-xkb-utils)"; exit 1; }
e2e_fresh_run_dir
e2e_build_probe || exit 1
e2e_find_make_slot
"$MAKE_SLOT" "$E2E_RUN_DIR" 1 surface 100000000 >/dev/null || exit 1
# Some X servers keep their keymap whatever a client asks; the test cannot
# say anything there, so it reports itself skipped (status 77), not passed.
setxkbmap -display "$DISPLAY" fr || { e2e_log "setxkbmap fr failed"; exit 1; }
if ! setxkbmap -display "$DISPLAY" -query | grep -q '^layout: *fr$'; then
    e2e_log "SKIPPED: the X server did not take the French layout (setxkbmap -query: $(setxkbmap -query | grep layout))"
    E2E_FINISHED=1
    exit 77
fi

sy() { echo "$E2E_POS" | cut -d' ' -f2; }
# On the French layout the digits are the shifted symbols of the digit row:
# the keys are pressed by their unshifted symbols, so no Shift goes with them.
e2e_key_for() {
    case $1 in
        " ") echo space ;;
        1) echo ampersand ;;
        4) echo apostrophe ;;
        *) echo "$1" ;;
    esac
}
# Holds key $1 for $2 seconds and prints how many cells SY changed by.
hold_sy() {
    local before
    e2e_read_position || return 1
    before=$(sy)
    xdotool keydown "$1"
    sleep "$2"
    xdotool keyup "$1"
    e2e_until 5 e2e_position_settled || return 1
    echo $(( $(sy) - before ))
}
# Walks for $1 seconds and prints how many cells SY changed by (signed).
walk_sy() {
    local before
    e2e_read_position || return 1
    before=$(sy)
    e2e_click 1
    sleep "$1"
    e2e_click 1
    e2e_until 5 e2e_position_settled || return 1
    echo $(( $(sy) - before ))
}

e2e_start_game
e2e_wait_running 60 || exit 1
e2e_focus_window >/dev/null || exit 1
e2e_point_overlay 10 90   # level, toward smaller y
e2e_click 3
e2e_slot_op F7 Loading
e2e_press bracketleft 1.5 0.2

# --- Z walks back: the key that types z, at the US W place ---
moved=$(hold_sy w 1) || e2e_fatal "the player did not settle after 'w' (at $E2E_POS)"
e2e_check "the key at the US Z place (it types w) does not walk" 0 "$moved"
moved=$(hold_sy z 1.5) || e2e_fatal "the player did not settle after 'z' (at $E2E_POS)"
e2e_check_that "the key that types z walks backward (toward larger y)" "SY changed by $moved" [ "$moved" -gt 0 ]

# --- M moves the window: the key that types m, at the US ; place ---
e2e_move_pointer 200 150
e2e_press comma 0.5 0.3
e2e_check "the key at the US M place (it types ,) does not move the window" "0 0 640 480" \
    "$(e2e_geometry "$(e2e_current_window)")"
e2e_hold_until m 5 e2e_window_is "200 150 640 480" || true
win=$(e2e_focus_window) || exit 1
e2e_check "the key that types m moves the window to the pointer" "200 150 640 480" "$(e2e_geometry "$win")"
# F2 puts the window back at the origin, where the pointer positions below are counted.
e2e_hold_until F2 5 e2e_window_is "0 0 640 480" || true
e2e_focus_window >/dev/null || exit 1
e2e_point_overlay 10 90   # level toward smaller y again, for the walks

# --- the console on the French layout ---
before=$(walk_sy 1) || e2e_fatal "the walk in the sky did not stop (at $E2E_POS)"
e2e_check_that "a level walk in the sky goes toward smaller y" "SY changed by $before" [ "$before" -lt 0 ]
e2e_press Tab 0.1 0.5
type_console "env4cyclestep 1" || true
e2e_check "the console shows the command typed on the French layout" "env4cyclestep 1" \
    "$(console_text || echo "no console line")"
e2e_press Return 0.1 1.0
e2e_press Tab 0.1 0.6
after=$(walk_sy 1) || e2e_fatal "the walk in the sky did not stop (at $E2E_POS)"
e2e_log "one second of walking: $(( -before )) cells with the step at 2, $(( -after )) with the step at 1"
e2e_check_that "env4cyclestep 1 doubles the step" "$(( -before )) cells before, $(( -after )) after" \
    [ "$(( -after * 10 ))" -ge "$(( -before * 15 ))" ]

e2e_quit_by_escape
e2e_check "Escape ends the game with status 0" 0 "$E2E_EXIT"
e2e_finish
