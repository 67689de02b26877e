#!/usr/bin/env bash
# The Windows game under Wine, what only Windows has (run by wine.sh, which
# makes the prefix): the NSIS installer installs silently into Program Files
# with its Start-menu entry, its uninstaller and the marker "installed"; the
# installed game shows the HUD, F5 writes slot 1 under Saved Games and F7
# loads it back, nothing under Program Files changes; a kill in the middle of
# a save leaves the old slot or the new one, whole.
# Usage: windows_install.sh GAME_WRAPPER RUN_DIR (E2E_WINE_EXE: the .exe)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_setup "$1" "$2"
e2e_build_probe || exit 1
NOW=$(e2e_now)
installer=$(ls "$(dirname "$E2E_WINE_EXE")"/VoxelDungeon-*-win64.exe 2>/dev/null | head -1)
[ -n "$installer" ] || { e2e_log "SKIPPED: no installer beside the game (cpack makes it)"; E2E_FINISHED=1; exit 77; }
DRIVE_C="$WINEPREFIX/drive_c"
INSTALL="$DRIVE_C/Program Files/Voxel Dungeon"
SAVES="$DRIVE_C/users/$(id -un)/Saved Games/Voxel Dungeon"
slot_sizes() { local k s=""; for k in mainmap flagmap unit variables; do s="$s $(stat -c %s "$SAVES/SAVEGAME1.$k" 2>/dev/null || echo missing)"; done; echo "$s"; }
slot_sum() { (cd "$SAVES" && cat SAVEGAME1.mainmap SAVEGAME1.flagmap SAVEGAME1.unit SAVEGAME1.variables 2>/dev/null | md5sum); }

wine "$installer" /S
for file in voxel_dungeon.exe installed Uninstall.exe bmp_cube/grass3.bmp map/1.overworld README.md; do
    e2e_check_that "installed: Program Files/Voxel Dungeon/$file" "missing" [ -e "$INSTALL/$file" ]
done
e2e_check_that "a Start-menu entry" "none" \
    [ -e "$DRIVE_C/ProgramData/Microsoft/Windows/Start Menu/Programs/Voxel Dungeon/Voxel Dungeon.lnk" ]

before=$(e2e_tree_listing "$INSTALL")
e2e_start_command / wine "C:\\Program Files\\Voxel Dungeon\\voxel_dungeon.exe"
e2e_wait_running 60 || exit 1
e2e_grab "$NOW" || exit 1
e2e_check "the installed game shows the HUD" "$E2E_BANNER" "$(e2e_banner "$NOW")"
e2e_read_position || true
start=$E2E_POS
e2e_slot_op F5 Saving
e2e_check "F5 writes slot 1 under Saved Games" " 11796479 11796479 2112000 32" "$(slot_sizes)"
e2e_press bracketright 0.15 0.2
e2e_slot_op F7 Loading
e2e_read_position || true
e2e_check "F7 loads slot 1 back from Saved Games" "$start" "$E2E_POS"

# A kill in the middle of the next save, after the player has moved on.
old=$(slot_sum)
e2e_press KP_Subtract 0.15 1
e2e_read_position || true
moved=$E2E_POS
e2e_press F5 0.3 0
e2e_until 5 e2e_shows 20 100 "Saving dungeon maps" || true
sleep 1
kill -9 "$E2E_GAME_PID"
wait "$E2E_GAME_PID" 2>/dev/null || true
E2E_GAME_PID=""
wineserver -k 2>/dev/null || true
e2e_check "after the kill the slot is still four whole files" " 11796479 11796479 2112000 32" "$(slot_sizes)"
if [ "$(slot_sum)" = "$old" ]; then
    e2e_check "the kill left the old slot" "$old" "$(slot_sum)"
else
    e2e_start_command / wine "C:\\Program Files\\Voxel Dungeon\\voxel_dungeon.exe"
    e2e_wait_running 60 || exit 1
    e2e_slot_op F7 Loading
    e2e_read_position || true
    e2e_check "the kill left the new slot, whole: it loads" "$moved" "$E2E_POS"
fi
e2e_stop_game
wineserver -k 2>/dev/null || true
after=$(e2e_tree_listing "$INSTALL")
e2e_check "nothing under Program Files changed" "" "$(diff <(echo "$before") <(echo "$after") || true)"
e2e_finish
