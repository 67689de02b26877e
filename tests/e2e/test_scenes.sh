#!/usr/bin/env bash
# The real game in two prepared scenes whose cells the test knows, loaded from
# save slots that make_e2e_slot writes with the game's own code for a fixed
# seed: a dungeon corridor with an objective on the way to a wall (pickup,
# the HUD count, the wall stopping the eye in the last open cell), and the
# open sky over the landscape (the layer keys, the view distance floor, the
# console and its env4cyclestep command, which doubles the walking speed).
# With E2E_SCREENSHOTS=1 the dungeon and surface pictures are written to
# docs/screenshot_dungeon.png and docs/screenshot_surface.png.
# Usage: test_scenes.sh GAME_BINARY RUN_DIR (make_e2e_slot beside the game)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

e2e_setup "$1" "$2"
e2e_fresh_run_dir
e2e_build_probe || exit 1
NOW=$(e2e_now)
DOCS=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../docs" && pwd)
e2e_find_make_slot

# A load replaces the game's frame count, and a click counts only once the
# count has passed the last accepted click: each slot loaded later in the
# run stores a higher count than any frame played before it.
"$MAKE_SLOT" "$E2E_RUN_DIR" 2 corridor 100000000 >"$E2E_TMP/corridor.txt" || exit 1
"$MAKE_SLOT" "$E2E_RUN_DIR" 1 surface 200000000 >"$E2E_TMP/surface.txt" || exit 1
cell() { sed -n "s/^$2 //p" "$E2E_TMP/$1.txt"; }
corridor_start=$(cell corridor start)
corridor_end=$(cell corridor end)
surface_start=$(cell surface start)
if [ -z "$corridor_start" ] || [ -z "$corridor_end" ] || [ -z "$surface_start" ]; then
    e2e_log "make_e2e_slot did not name the scenes' cells"
    exit 1
fi

mvd() { echo "$E2E_COUNTS" | awk '{ print $3 }'; }
coordinate() { echo "$1" | cut -d' ' -f"$2"; }

console_closed() { e2e_grab "$NOW" && [ -z "$(e2e_text "$NOW" 14 60 "$E2E_WHITE")" ]; }

# Walks for $1 seconds in the view that is set and prints how many cells SY
# changed by (signed); the player is standing still before and after.
walk_sy() {
    local before
    e2e_read_position || return 1
    before=$(coordinate "$E2E_POS" 2)
    e2e_click 1
    sleep "$1"
    e2e_click 1
    e2e_until 5 e2e_position_settled || return 1
    echo $(( $(coordinate "$E2E_POS" 2) - before ))
}

screenshot() {
    e2e_keep_shot "$1"
    if [ "${E2E_SCREENSHOTS:-0}" = 1 ]; then
        cp "$E2E_TMP/$1.png" "$DOCS/screenshot_$1.png"
        e2e_log "wrote docs/screenshot_$1.png"
    fi
}

e2e_start_game
e2e_wait_running 60 || exit 1
e2e_focus_window >/dev/null || exit 1
# Mouse look stays on across loads (a saved game holds no view angles).
# Overlay pointer (10, 90): Yaw 0, Pitch -90, level toward smaller y.
e2e_point_overlay 10 90
e2e_click 3

# --- the corridor: an objective on the way, then a wall ---
e2e_slot_op F8 Loading
e2e_read_position || true
e2e_check "F8 loads the corridor scene" "$corridor_start" "$E2E_POS"
e2e_read_counts || true
e2e_check "one objective, none found, MVD 6" "0 1 6" "$E2E_COUNTS"
colours=$("$E2E_PROBE" colours "$NOW")
e2e_check_that "the corridor is drawn textured" "$colours colours" [ "$colours" -ge 40 ]
screenshot dungeon

e2e_click 1
found_it() { e2e_read_counts && [ "$E2E_COUNTS" = "1 1 6" ]; }
e2e_until 5 found_it || true
e2e_check "walking into the objective's cell picks it up: Objective Number = 1 / 1" "1 1 6" "$E2E_COUNTS"
e2e_until 10 e2e_position_settled || e2e_fatal "still walking after 10 s in a corridor of four cells (at $E2E_POS)"
e2e_check "the wall stops the eye in the corridor's last open cell" "$corridor_end" "$E2E_POS"
e2e_keep_shot corridor_end
e2e_click 1

# --- the open sky over the landscape ---
e2e_slot_op F7 Loading
e2e_read_position || true
e2e_check "F7 loads the sky scene" "$surface_start" "$E2E_POS"
e2e_read_counts || true
e2e_check "no objectives, MVD 10" "0 0 10" "$E2E_COUNTS"
# Yaw 0 and Pitch -60: toward smaller y and down onto hills, sand and grass.
e2e_point_overlay 10 60
e2e_grab "$NOW" || true
colours=$("$E2E_PROBE" colours "$NOW")
e2e_check_that "looking down from the sky shows the textured ground" "$colours colours" [ "$colours" -ge 40 ]
screenshot surface

read -r sx sy sz <<<"$surface_start"
e2e_press KP_Subtract 0.1 1.0
e2e_read_position || true
e2e_check "keypad - climbs one layer into the empty cell above" "$sx $sy $((sz - 1))" "$E2E_POS"
e2e_press KP_Add 0.1 1.0
e2e_read_position || true
e2e_check "keypad + steps one layer down into the empty cell below" "$surface_start" "$E2E_POS"

# Nothing within one cell of the sky: every frame costs the same, so the
# walking speed compares at an even frame rate.
e2e_press bracketleft 1.5 0.2
e2e_read_counts || true
e2e_check "holding '[' brings MVD down to 1 and no further" 1 "$(mvd)"

e2e_point_overlay 10 90
before=$(walk_sy 1) || e2e_fatal "the walk in the sky did not stop (at $E2E_POS)"
e2e_check_that "a level walk in the sky goes toward smaller y" "SY changed by $before" [ "$before" -lt 0 ]

e2e_press Tab 0.1 0.5
line=$(console_text) && line="CMD:${line}_" || line="no console line"
e2e_check "Tab opens the console: the prompt and the cursor" "CMD:_" "$line"
type_console "env4cyclestep 1" || true
e2e_log "typing took $TYPED_KEYS keys"
e2e_check "typing shows the command behind the prompt" "env4cyclestep 1" "$(console_text || echo "no console line")"
e2e_press Return 0.1 1.0
e2e_check "Enter runs the line and keeps it in the console" "env4cyclestep 1" \
    "$(console_text || echo "no console line")"
e2e_press Tab 0.1 0.6
e2e_until 1 console_closed || true
e2e_check "Tab again hides the console: no text where it was" "" "$(e2e_text "$NOW" 14 60 "$E2E_WHITE")"

# Yaw -180: back toward larger y, through the same empty sky.
e2e_point_overlay 100 90
after=$(walk_sy 1) || e2e_fatal "the walk in the sky did not stop (at $E2E_POS)"
e2e_log "one second of walking: $(( -before )) cells with the step at 2, $after with the step at 1"
e2e_check_that "env4cyclestep 1 doubles the step: one second covers far more cells" \
    "$(( -before )) cells before, $after after" [ "$(( after * 10 ))" -ge "$(( -before * 15 ))" ]

e2e_quit_by_escape
e2e_check "Escape ends the game with status 0" 0 "$E2E_EXIT"

e2e_finish
