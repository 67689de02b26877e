#!/usr/bin/env bash
# Playing the real game under Xvfb from a fresh copy of the run directory,
# with the game's state read off the screen: the first picture and the
# banner, mouse look, walking until a wall stops the eye, the view distance
# keys, saving slot 1 and loading it back (with the files it leaves), the
# four window scales, and both ways to quit with status 0.
# Usage: test_play.sh GAME_BINARY RUN_DIR
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

e2e_setup "$1" "$2"
e2e_fresh_run_dir
e2e_build_probe || exit 1
SEND_CLOSE=$(e2e_build_send_close) || { e2e_log "cannot build send_close"; exit 1; }
NOW=$(e2e_now)

mvd() { echo "$E2E_COUNTS" | awk '{ print $3 }'; }
# field N of a "SX SY SZ" position
coordinate() { echo "$1" | cut -d' ' -f"$2"; }

# --- start: the textured dungeon and the HUD ---
e2e_start_game
e2e_wait_running 60 || exit 1
e2e_focus_window >/dev/null || exit 1
e2e_grab "$NOW" || exit 1
e2e_keep_shot start
e2e_check "the banner at the top" "$E2E_BANNER" "$(e2e_banner "$NOW")"
colours=$("$E2E_PROBE" colours "$NOW")
e2e_check_that "the 3D view shows textured cells (many colours)" "$colours colours" [ "$colours" -ge 40 ]
e2e_read_position || true
start=$E2E_POS
[ -n "$start" ] || e2e_fatal "the position line cannot be read: '$(e2e_position_line "$NOW")'"
e2e_check "the player starts on the dungeon's walking layer 39" 39 "$(coordinate "$start" 3)"
e2e_read_counts || true
e2e_check "nothing found yet, MVD 6" "0 6" "$(echo "$E2E_COUNTS" | awk '{ print $1, $3 }')"

# --- mouse look ---
# Mouse look sets Yaw 20 - 2 mx and Pitch -my from the overlay pointer: my 90
# is a level view, and mx 10, 100, 55 and 145 look toward smaller y, larger
# y, smaller x and larger x.
e2e_point_overlay 10 90
e2e_grab "$E2E_TMP/off_a.ppm"
e2e_check "the HUD shows the pointer in overlay pixels" "10 90" "$(e2e_pointer "$E2E_TMP/off_a.ppm")"
e2e_point_overlay 100 90
e2e_grab "$E2E_TMP/off_b.ppm"
changed=$("$E2E_PROBE" diff "$E2E_TMP/off_a.ppm" "$E2E_TMP/off_b.ppm")
e2e_check_that "without mouse look the pointer moves only its cross" "$changed pixels changed" [ "$changed" -le 100 ]

e2e_click 3
e2e_grab "$E2E_TMP/look_level.ppm"
changed=$("$E2E_PROBE" diff "$E2E_TMP/off_b.ppm" "$E2E_TMP/look_level.ppm")
e2e_check_that "a right click turns mouse look on: the view rises from the floor to level" \
    "$changed pixels changed" [ "$changed" -ge 5000 ]
e2e_point_overlay 55 150
e2e_grab "$NOW"
e2e_keep_shot look
changed=$("$E2E_PROBE" diff "$E2E_TMP/look_level.ppm" "$NOW")
e2e_check_that "with mouse look on, moving the pointer turns the view" "$changed pixels changed" [ "$changed" -ge 5000 ]
e2e_check "turning does not move the player" "$start" "$(e2e_position "$NOW")"

# --- walking ---
# The start cell may face a wall: the level views are tried in turn until
# one walks. Each entry is "mx axis sign opposite-mx"; axis 1 is SX, 2 SY.
# The walk is on only while the view is set, so that no step goes up or aside.
way=""
for candidate in "10 2 -1 100" "100 2 1 10" "55 1 -1 145" "145 1 1 55"; do
    e2e_point_overlay "${candidate%% *}" 90
    e2e_click 1
    if e2e_until 3 e2e_position_not "$start"; then
        way=$candidate
        break
    fi
    e2e_click 1
done
e2e_check_that "a left click starts walking: the position changes" \
    "level views in all four directions left the player at $start" [ -n "$way" ]
[ -n "$way" ] || e2e_finish
read -r _ axis sign back_mx <<<"$way"
e2e_until 30 e2e_position_settled || e2e_fatal "still walking after 30 s: no wall stopped the eye (at $E2E_POS)"
wall=$E2E_POS
e2e_keep_shot wall
e2e_check "the level walk stays on layer 39" 39 "$(coordinate "$wall" 3)"
e2e_check "the walk keeps the other horizontal coordinate" \
    "$(coordinate "$start" $((3 - axis)))" "$(coordinate "$wall" $((3 - axis)))"
travelled=$(( ($(coordinate "$wall" "$axis") - $(coordinate "$start" "$axis")) * sign ))
e2e_check_that "a wall stops the eye after it walked the way it looks" "from $start to $wall" [ "$travelled" -gt 0 ]
e2e_click 1
# Turned the other way, the open cells it came through lie ahead: only a
# stopped walk stays in place.
e2e_point_overlay "$back_mx" 90
sleep 1
e2e_read_position || true
e2e_check "a second left click stops walking" "$wall" "$E2E_POS"

# --- the view distance ---
e2e_press bracketright 0.3 0.2
e2e_read_counts || true
raised=$(mvd)
e2e_check_that "holding ']' raises MVD" "MVD '$raised'" [ "${raised:-0}" -gt 6 ]
e2e_press bracketleft 0.15 0.2
e2e_read_counts || true
saved_mvd=$(mvd)
e2e_check_that "holding '[' lowers MVD" "MVD '$saved_mvd' after $raised" [ "${saved_mvd:-99}" -lt "$raised" ]

# --- save slot 1, move away, load it back ---
e2e_slot_op F5 Saving
sizes=""
for kind in mainmap flagmap unit variables; do
    sizes="$sizes $(stat -c %s "$E2E_RUN_DIR/map/SAVEGAME1.$kind" 2>/dev/null || echo missing)"
done
e2e_check "F5 writes the four files of slot 1" " 11796479 11796479 2112000 32" "$sizes"
variables=$(od -An -v -t d4 "$E2E_RUN_DIR/map/SAVEGAME1.variables" 2>/dev/null | xargs || true)
e2e_check "the variables file holds cycleStep 2, MVD and the position" \
    "2 $saved_mvd $wall" "$(echo "$variables" | cut -d' ' -f2-6)"

e2e_click 1
e2e_check_that "walking back after the save moves the player" "still at $wall" e2e_until 5 e2e_position_not "$wall"
e2e_click 1
e2e_until 5 e2e_position_settled || e2e_fatal "the walk did not stop after a left click (at $E2E_POS)"
moved=$E2E_POS
e2e_press bracketright 0.15 0.2
e2e_read_counts || true
moved_away() { [ "$moved" != "$wall" ] && [ "$(mvd)" != "$saved_mvd" ]; }
e2e_check_that "the position and MVD now differ from the saved ones" "at $moved, MVD '$(mvd)'" moved_away

e2e_slot_op F7 Loading
e2e_read_position || true
e2e_check "F7 puts the player back where slot 1 was saved" "$wall" "$E2E_POS"
e2e_read_counts || true
e2e_check "F7 restores MVD" "$saved_mvd" "$(mvd)"
e2e_keep_shot loaded

# --- window scales ---
for scale in 1 3 4 2; do
    size="$((320 * scale)) $((240 * scale))"
    e2e_hold_until "F$scale" 5 e2e_window_is "0 0 $size" || true
    win=$(e2e_focus_window) || exit 1
    e2e_check "F$scale re-creates the window at ${size/ /x}" "0 0 $size" "$(e2e_geometry "$win")"
    e2e_grab "$NOW" || true
    e2e_check "at scale $scale the HUD is the same, zoomed" "$E2E_BANNER|$wall" \
        "$(e2e_banner "$NOW")|$(e2e_position "$NOW")"
    e2e_keep_shot "scale$scale"
done

# --- quitting ---
e2e_quit_by_escape
e2e_check "Escape ends the game with status 0" 0 "$E2E_EXIT"
e2e_stop_game

e2e_start_game
e2e_wait_running 60 || exit 1
win=$(e2e_focus_window) || exit 1
"$SEND_CLOSE" "$win"
e2e_wait_exit 3 || true
e2e_check "a close request ends the game with status 0" 0 "$E2E_EXIT"

e2e_finish
