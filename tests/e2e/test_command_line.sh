#!/usr/bin/env bash
# The command line and the data folder: from / the build's game finds its run
# folder, prints its seed and shows the textured world; without game data it
# names every folder it looked in (stderr and a message box) and exits 1;
# --version and --help; one seed, one world: two runs with --seed 12345
# save byte-identical slots.
# Usage: test_command_line.sh GAME_BINARY RUN_DIR
source "$(dirname "${BASH_SOURCE[0]}")/driver.sh"
e2e_setup "$@"
e2e_start_in / --
e2e_wait_running 60 || exit 1
e2e_check_textured "from /, the game"
# With no --seed the seed is the clock's seconds, so it lies within the last minutes.
seed=$(sed -n 's/^Seed: \([0-9]*\)$/\1/p' "$E2E_TMP/game.log")
age=$(($(date +%s) - ${seed:-0}))
e2e_check_that "it prints 'Seed: N', N from the clock" "$(head -3 "$E2E_TMP/game.log")" [ -n "$seed" -a "$age" -ge 0 -a "$age" -lt 600 ]
e2e_quit
e2e_check "Escape ends it with status 0" 0 "$E2E_EXIT"

mkdir "$E2E_TMP/nodata"
e2e_start_in "$E2E_TMP/nodata" -- --data /nonexistent
box=$(e2e_until 10 e2e_error_box) || true
e2e_check_that "--data /nonexistent shows the ERROR box and no game window" "box '$box', window '$(e2e_window)'" \
    [ -n "$box" -a -z "$(e2e_window)" ]
[ -z "$box" ] || { xdotool windowfocus "$box"; sleep 0.2; xdotool key Return; }
e2e_wait_exit 5 || true
e2e_check "it exits with status 1" 1 "$E2E_EXIT"
e2e_check_that "it names the folder tried" "$(cat "$E2E_TMP/game.log")" grep -q '/nonexistent  (--data)' "$E2E_TMP/game.log"

# The Linux program alone in an empty folder, with no display: every usual place is named.
cp "$E2E_GAME" "$E2E_TMP/nodata/voxel_dungeon"
status=0
(cd "$E2E_TMP/nodata" && env -u DISPLAY -u VOXEL_DUNGEON_DATA ./voxel_dungeon) >"$E2E_TMP/nodata.log" 2>&1 || status=$?
e2e_check "without data anywhere it exits with status 1" 1 "$status"
for tried in "$E2E_TMP/nodata  (the working directory)" "$E2E_TMP/nodata/run  (the run folder" \
             "$E2E_TMP/nodata/../share/voxel-dungeon  (the installed"; do
    e2e_check_that "stderr names '$tried'" "$(cat "$E2E_TMP/nodata.log")" grep -qF "$tried" "$E2E_TMP/nodata.log"
done

# Bad options and their status 2 are OptionsTest's.
version=$("${E2E_GAME_CMD[@]}" --version) && v=0 || v=$?
help=$("${E2E_GAME_CMD[@]}" --help) && h=0 || h=$?
e2e_check "--version prints the version, --help names every option, both with status 0" "voxel_dungeon 1 7 0 0" \
    "$(cut -d. -f1 <<<"$version") $(grep -oE -- '--(data DIR|seed N|scale N|fps N|no-settings|help|version)' <<<"$help" | sort -u | wc -l) $v $h"

# The frame counter (the variables file's first 4 bytes) counts frames run before F5.
for run in 1 2; do
    cp -r "$E2E_RUN_DIR" "$E2E_TMP/seed$run"
    rm -f "$E2E_TMP/seed$run"/map/SAVEGAME*
    e2e_start_in / -- --data "$E2E_TMP/seed$run" --seed 12345
    e2e_wait_running 60 || exit 1
    e2e_slot_op F5 Saving
    e2e_quit
done
for kind in mainmap flagmap unit; do
    e2e_check_that "--seed 12345 twice: the same SAVEGAME1.$kind" "they differ" \
        cmp -s "$E2E_TMP"/seed{1,2}/map/SAVEGAME1.$kind
done
e2e_check_that "--seed 12345 twice: the same variables after the frame counter" "they differ" \
    cmp -s -i 4 "$E2E_TMP"/seed{1,2}/map/SAVEGAME1.variables
e2e_finish
