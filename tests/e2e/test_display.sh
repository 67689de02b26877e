#!/usr/bin/env bash
# Fullscreen and screenshots under Xvfb on a 1920 x 1080 screen: F11 gives a
# window of the screen's size with the picture centred at scale 4 between
# black bars, the cross and the HUD follow the pointer at that scale, F12
# writes a PNG equal to the picture on screen (in fullscreen and in a
# window), F2 and F11 return to the 640 x 480 window.
# Usage: test_display.sh GAME_BINARY RUN_DIR
set -euo pipefail
export E2E_SCREEN=1920x1080x24
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

e2e_setup "$1" "$2"
e2e_fresh_run_dir
e2e_build_probe || exit 1
NOW=$(e2e_now)
PICTURE="$E2E_TMP/picture.ppm"
SHOTS="$E2E_RUN_DIR/map/screenshots"
# 1920 x 1080 holds 320 x 240 four times (1280 x 960): 320 pixels of bar left
# and right, 60 above and below.
SCALE=4 LEFT=320 TOP=60

TIME_NAME='^[0-9]{4}-[0-9]{2}-[0-9]{2}_[0-9]{2}-[0-9]{2}-[0-9]{2}(_[0-9]+)?\.png$'
named_by_time() { [[ $1 =~ $TIME_NAME ]]; }
shot_count() { find "$SHOTS" -name '*.png' 2>/dev/null | wc -l; }
newest_shot() { ls -t "$SHOTS"/*.png 2>/dev/null | head -1; }
# Presses F12 and waits for screenshot number $1 to appear.
screenshot() {
    e2e_press F12 0.1 0.4
    e2e_until 5 eval '[ "$(shot_count)" -ge '"$1"' ]'
}

e2e_start_game
e2e_wait_running 60 || exit 1
e2e_focus_window >/dev/null || exit 1

# --- F11: fullscreen ---
e2e_press F11 0.1 0.2
e2e_until 5 e2e_window_is "0 0 1920 1080" || true
win=$(e2e_focus_window) || exit 1
e2e_check "F11 gives a borderless window of the screen's size" "0 0 1920 1080" "$(e2e_geometry "$win")"

# The pointer on overlay pixel (100, 120) at scale 4 behind the offset.
e2e_move_pointer $((LEFT + 100 * SCALE + SCALE / 2)) $((TOP + (240 - 120) * SCALE - SCALE / 2))
e2e_grab "$NOW" || e2e_fatal "no grab of the fullscreen window"
"$E2E_PROBE" crop "$NOW" "$LEFT" "$TOP" $((320 * SCALE)) $((240 * SCALE)) "$PICTURE"
e2e_check "the banner is drawn at scale 4 in the centred picture" "$E2E_BANNER" "$(e2e_banner "$PICTURE")"
e2e_check "the HUD maps the pointer through the scale and the offset" "100 120" "$(e2e_pointer "$PICTURE" || true)"
# The cross's centre and the end of its right arm, in screen pixels.
e2e_check "the cross is drawn under the pointer" "FFFFFF FFFFFF" \
    "$("$E2E_PROBE" pixel "$NOW" $((LEFT + 100 * SCALE + 2)) $((TOP + 119 * SCALE + 2))) $("$E2E_PROBE" pixel "$NOW" $((LEFT + 105 * SCALE + 2)) $((TOP + 119 * SCALE + 2)))"
bars=""
for point in "0 0" "319 540" "1600 540" "1919 1079" "960 59" "960 1020"; do
    bars="$bars$("$E2E_PROBE" pixel "$NOW" $point) "
done
e2e_check "the bars around the picture are black" "000000 000000 000000 000000 000000 000000 " "$bars"

# --- F12 in fullscreen: the PNG is the picture between the bars ---
screenshot 1 || true
e2e_check "F12 writes one PNG into map/screenshots" 1 "$(shot_count)"
name=$(basename "$(newest_shot)")
e2e_check_that "the PNG is named by date and time" "named '$name'" named_by_time "$name"
e2e_grab "$NOW" || true
"$E2E_PROBE" crop "$NOW" "$LEFT" "$TOP" $((320 * SCALE)) $((240 * SCALE)) "$PICTURE"
e2e_check "the fullscreen PNG equals the picture on screen, pixel for pixel" 0 \
    "$("$E2E_PROBE" same "$PICTURE" "$(newest_shot)" 2>&1)"

# --- F2 leaves fullscreen at scale 2 ---
e2e_hold_until F2 5 e2e_window_is "0 0 640 480" || true
win=$(e2e_focus_window) || exit 1
e2e_check "F2 returns to the 640 x 480 window" "0 0 640 480" "$(e2e_geometry "$win")"
e2e_point_overlay 40 30
screenshot 2 || true
e2e_check "F12 in the window writes a second PNG" 2 "$(shot_count)"
e2e_grab "$NOW" || true
e2e_check "the windowed PNG equals the window at scale 2, pixel for pixel" 0 \
    "$("$E2E_PROBE" same "$NOW" "$(newest_shot)" 2>&1)"

# --- F11 twice: there and back ---
e2e_press F11 0.1 0.2
e2e_until 5 e2e_window_is "0 0 1920 1080" || true
e2e_focus_window >/dev/null || exit 1
e2e_press F11 0.1 0.2
e2e_until 5 e2e_window_is "0 0 640 480" || true
win=$(e2e_focus_window) || exit 1
e2e_check "F11 again returns to the window at its scale" "0 0 640 480" "$(e2e_geometry "$win")"

e2e_quit_by_escape
e2e_check "Escape ends the game with status 0" 0 "$E2E_EXIT"
e2e_check "no screenshot failed" "" "$(grep 'Screenshot not saved' "$E2E_TMP/game.log" || true)"
e2e_finish
