#!/usr/bin/env bash
# The game started from anywhere, and its command line: from / the build's
# game finds its run folder and shows the textured world; without game data
# it names every folder it looked in (on stderr and in a message box) and
# exits 1; --help, --version and bad options; and one seed giving one world:
# two runs with --seed 12345 save byte-identical slots.
# Usage: test_command_line.sh GAME_BINARY RUN_DIR
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

e2e_setup "$1" "$2"
e2e_build_probe || exit 1
NOW=$(e2e_now)

# --- from /, no options: the textured game, the clock's seed on stdout ---
e2e_start_command / "$E2E_GAME"
e2e_wait_running 60 || exit 1
e2e_grab "$NOW" || exit 1
e2e_check "from / the HUD shows" "$E2E_BANNER" "$(e2e_banner "$NOW")"
colours=$("$E2E_PROBE" colours "$NOW")
e2e_check_that "from / the 3D view is textured (many colours), not white" "$colours colours" [ "$colours" -ge 40 ]
e2e_check_that "the seed in use is printed as 'Seed: N'" "$(head -3 "$E2E_TMP/game.log")" \
    grep -qE '^Seed: [0-9]+$' "$E2E_TMP/game.log"
e2e_quit_by_escape
e2e_check "Escape ends it with status 0" 0 "$E2E_EXIT"
e2e_stop_game

# --- no game data: a message naming the folders, status 1, no window ---
# The ERROR box is found in the window tree (it has no _NET_WM_NAME for
# xdotool) and dismissed with Return.
error_box() { xwininfo -root -tree | awk '/"ERROR"/ { print $1; exit }' | grep .; }
mkdir "$E2E_TMP/nodata"
e2e_start_command "$E2E_TMP/nodata" "$E2E_GAME" --data /nonexistent
box=""
e2e_until 10 error_box >/dev/null && box=$(error_box)
e2e_check_that "--data /nonexistent shows a message box" "no ERROR window" [ -n "$box" ]
[ -z "$box" ] || { xdotool windowfocus "$box"; sleep 0.2; xdotool key Return; }
e2e_wait_exit 5 || true
e2e_check "--data /nonexistent exits with status 1" 1 "$E2E_EXIT"
e2e_check_that "the message names the folder tried" "$(cat "$E2E_TMP/game.log")" \
    grep -q '/nonexistent  (--data)' "$E2E_TMP/game.log"
e2e_check "no game window was opened" "" "$(e2e_current_window)"
e2e_stop_game

# A copy of the program with no run folder beside it, started from an empty
# folder without a display: every usual place is tried and named on stderr.
cp "$E2E_GAME" "$E2E_TMP/nodata/voxel_dungeon"
status=0
(cd "$E2E_TMP/nodata" && env -u DISPLAY -u VOXEL_DUNGEON_DATA ./voxel_dungeon) >"$E2E_TMP/nodata.log" 2>&1 || status=$?
e2e_check "without data anywhere the game exits with status 1" 1 "$status"
for tried in "$E2E_TMP/nodata  (the working directory)" "$E2E_TMP/nodata/run  (the run folder" \
             "$E2E_TMP/nodata/../share/voxel-dungeon  (the installed"; do
    e2e_check_that "stderr names '$tried'" "$(cat "$E2E_TMP/nodata.log")" grep -qF "$tried" "$E2E_TMP/nodata.log"
done

# --- the options themselves ---
status=0; "$E2E_GAME" --help >"$E2E_TMP/help.txt" 2>&1 || status=$?
e2e_check "--help exits with status 0" 0 "$status"
for option in --data --seed --scale --fps --help --version; do
    e2e_check_that "--help lists $option" "$(cat "$E2E_TMP/help.txt")" grep -q -- "^  $option" "$E2E_TMP/help.txt"
done
status=0; "$E2E_GAME" --version >"$E2E_TMP/version.txt" 2>&1 || status=$?
e2e_check "--version prints the version, status 0" "voxel_dungeon 1 0" \
    "$(cut -d. -f1 "$E2E_TMP/version.txt") $status"
for bad in "--scale 5" "--fps 10" "--seed x" "--bogus"; do
    status=0
    # shellcheck disable=SC2086
    "$E2E_GAME" $bad >"$E2E_TMP/bad.out" 2>"$E2E_TMP/bad.err" || status=$?
    e2e_check "'$bad' exits with status 2, the usage on stderr only" "2 1 0" \
        "$status $(grep -c '^Usage: voxel_dungeon' "$E2E_TMP/bad.err") $(wc -c <"$E2E_TMP/bad.out")"
done

# --- one seed, one world: the same keys give byte-identical slots ---
# The frame counter is the one saved value that depends on time (how many
# frames ran before F5), so the variables file is compared after it.
for run in 1 2; do
    mkdir "$E2E_TMP/seed$run"
    cp -r "$E2E_RUN_DIR"/. "$E2E_TMP/seed$run/"
    rm -f "$E2E_TMP/seed$run"/map/SAVEGAME*
    e2e_start_command / "$E2E_GAME" --data "$E2E_TMP/seed$run" --seed 12345
    e2e_wait_running 60 || exit 1
    e2e_check "run $run prints the seed it was given" "Seed: 12345" "$(grep '^Seed:' "$E2E_TMP/game.log")"
    e2e_slot_op F5 Saving
    e2e_quit_by_escape
    e2e_stop_game
done
for kind in mainmap flagmap unit; do
    e2e_check_that "--seed 12345 twice: identical SAVEGAME1.$kind" "the files differ or are missing" \
        cmp -s "$E2E_TMP/seed1/map/SAVEGAME1.$kind" "$E2E_TMP/seed2/map/SAVEGAME1.$kind"
done
e2e_check_that "--seed 12345 twice: identical variables after the frame counter" "the files differ" \
    cmp -s -i 4 "$E2E_TMP/seed1/map/SAVEGAME1.variables" "$E2E_TMP/seed2/map/SAVEGAME1.variables"

e2e_finish
