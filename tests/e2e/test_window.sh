# The game window under Xvfb with no window manager: its place and size,
# F3 and F1 re-creating it, M moving it, and the two ways to quit (Escape
# and a close request), each ending the game with status 0.
# Usage: test_window.sh GAME_BINARY RUN_DIR
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

e2e_setup "$1" "$2"
SEND_CLOSE=$(e2e_build_send_close) || { e2e_log "cannot build send_close"; exit 1; }

# --- first run: the window, the window keys, Escape ---
e2e_start_game
win=$(e2e_focus_window 30) || exit 1
e2e_check "window at the origin, 640x480" "0 0 640 480" "$(e2e_geometry "$win")"
e2e_wait_running 60 || exit 1
win=$(e2e_focus_window) || exit 1
e2e_check "still 640x480 at the origin in the frame loop" "0 0 640 480" "$(e2e_geometry "$win")"

e2e_hold_until F3 5 e2e_window_is "0 0 960 720"
win=$(e2e_focus_window) || exit 1
e2e_check "F3 re-creates the window at 960x720" "0 0 960 720" "$(e2e_geometry "$win")"

e2e_hold_until F1 5 e2e_window_is "0 0 320 240"
win=$(e2e_focus_window) || exit 1
e2e_check "F1 re-creates the window at 320x240" "0 0 320 240" "$(e2e_geometry "$win")"

# The game reads the global pointer, which SDL refreshes on real (XTEST)
# motion only: a plain warp is not seen, so warp to the corner and then
# move from there.
e2e_move_pointer 200 150
e2e_hold_until m 5 e2e_window_is "200 150 320 240"
win=$(e2e_focus_window) || exit 1
e2e_check "M moves the window to the pointer" "200 150 320 240" "$(e2e_geometry "$win")"

xdotool keydown Escape
e2e_wait_exit 2
xdotool keyup Escape 2>/dev/null
e2e_check "Escape ends the game with status 0 within 2 s" "0" "$E2E_EXIT"

# --- second run: a close request, once the frame loop runs ---
e2e_stop_game
e2e_start_game
e2e_wait_running 60 || exit 1
win=$(e2e_focus_window) || exit 1
"$SEND_CLOSE" "$win"
e2e_wait_exit 2
e2e_check "a close request ends the game with status 0 within 2 s" "0" "$E2E_EXIT"

e2e_finish
