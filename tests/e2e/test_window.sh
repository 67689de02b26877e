#!/usr/bin/env bash
# The window on a 1920 x 1080 screen with no window manager: 640 x 480 at the
# origin, F1..F4 re-create it at their scale, M moves it to the pointer; F11
# fills the screen with the picture centred at scale 4 between black bars,
# the pointer and its cross mapped through that placement; F12 writes a PNG
# equal to the picture on screen; F2 and F11 come back; Escape and a close
# request end the game with status 0. F9 shows the controls card.
# Usage: test_window.sh GAME_BINARY RUN_DIR
export E2E_SCREEN=1920x1080x24
source "$(dirname "${BASH_SOURCE[0]}")/driver.sh"
e2e_setup "$@"
e2e_fresh_run_dir
SHOTS="$E2E_RUN_DIR/map/screenshots"
at() { e2e_hold_until "$1" 5 e2e_window_is "$2" || true; e2e_focus; e2e_check "$1: the window is at '$2'" "$2" "$(e2e_geometry "$(e2e_window)")"; }
shots() { find "$SHOTS" -name '*.png' 2>/dev/null | wc -l; }
# F12, then the newest PNG against the picture on screen.
screenshot() {
    e2e_press F12 0.1 0.4
    e2e_until 5 eval '[ "$(shots)" -ge '"$1"' ]' || true
    local shot; shot=$(ls -t "$SHOTS"/*.png 2>/dev/null | head -1)
    e2e_check_that "F12 writes PNG $1, named by the time" "'$shot'" \
        eval '[[ $(basename "$shot") =~ ^[0-9]{4}-[0-9]{2}-[0-9]{2}_[0-9]{2}-[0-9]{2}-[0-9]{2}(_[0-9]+)?\.png$ ]]'
    e2e_grab || true
    e2e_check "the PNG equals the picture on screen" 0 "$("$PROBE" same "$NOW" "$shot" 2>&1)"
}

none=$(e2e_window)   # a lookup that finds nothing must not end the script (set -e)
e2e_check "no GAME window before the start" "" "$none"
e2e_start
e2e_focus 30 || exit 1
e2e_check "the window opens at the origin, 640x480" "0 0 640 480" "$(e2e_geometry "$(e2e_window)")"
e2e_wait_running 60 || exit 1
at F3 "0 0 960 720"
at F1 "0 0 320 240"
e2e_pointer_at 200 150
at m "200 150 320 240"
at F2 "0 0 640 480"
# F9 shows the controls card (its yellow frame over the view) and hides it again.
e2e_press F9 0.1 0.4
e2e_grab || true
e2e_check "F9 shows the card's frame" "FFFF00 FFFF00" "$("$PROBE" pixel "$NOW" 320 60) $("$PROBE" pixel "$NOW" 16 200)"
e2e_press F9 0.1 0.4

# 1920 x 1080 holds 320 x 240 four times: bars of 320 left and right, 60 above and below.
at F11 "0 0 1920 1080"
e2e_pointer_at $((320 + 100 * 4 + 2)) $((60 + 120 * 4 - 2))
e2e_grab || e2e_fatal "no grab of the fullscreen window"
e2e_check "fullscreen: the banner in the centred picture" "$E2E_BANNER" "$(e2e_banner "$NOW")"
e2e_check "fullscreen: the HUD maps the pointer through the scale and the offset" "100 120" "$(e2e_pointer_shown "$NOW")"
e2e_check "fullscreen: the cross's centre and right arm under the pointer" "FFFFFF FFFFFF" \
    "$("$PROBE" pixel "$NOW" 722 538) $("$PROBE" pixel "$NOW" 742 538)"
bars=$(for p in "0 0" "319 540" "1600 540" "1919 1079" "960 59" "960 1020"; do "$PROBE" pixel "$NOW" $p; done | xargs)
e2e_check "fullscreen: the bars are black" "000000 000000 000000 000000 000000 000000" "$bars"
screenshot 1
at F2 "0 0 640 480"
e2e_point 40 30
screenshot 2
at F11 "0 0 1920 1080"
at F11 "0 0 640 480"
e2e_quit
e2e_check "Escape ends the game with status 0" 0 "$E2E_EXIT"
e2e_check "no screenshot failed" "" "$(grep 'Screenshot not saved' "$E2E_TMP/game.log" || true)"

e2e_start
e2e_wait_running 60 || exit 1
"$PROBE" close "$(e2e_window)"
e2e_wait_exit 3 || true
e2e_check "a close request ends the game with status 0" 0 "$E2E_EXIT"
e2e_finish
