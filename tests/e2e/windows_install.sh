#!/usr/bin/env bash
# The Windows game under Wine, what only Windows has (run by wine.sh, which
# makes the prefix): the NSIS installer installs silently into Program Files
# with its Start-menu entry, its uninstaller and the marker "installed"; the
# installed game shows the HUD, F5 writes slot 1 under Saved Games and F7
# loads it back, nothing under Program Files changes; a kill in the middle of
# a save leaves the old slot or the new one, whole.
# Usage: windows_install.sh GAME_BINARY RUN_DIR (RUN_DIR beside the .exe and its installer)
source "$(dirname "${BASH_SOURCE[0]}")/driver.sh"
e2e_setup "$@"
installer=$(ls "$E2E_RUN_DIR"/../VoxelDungeon-*-win64.exe 2>/dev/null | head -1 || true)
[ -n "$installer" ] || { e2e_log "SKIPPED: no installer beside the game (cpack makes it)"; exit 77; }
INSTALL="$WINEPREFIX/drive_c/Program Files/Voxel Dungeon"
SAVES="$WINEPREFIX/drive_c/users/$(id -un)/Saved Games/Voxel Dungeon"
E2E_GAME_CMD=(wine 'C:\Program Files\Voxel Dungeon\voxel_dungeon.exe')
SIZES=" 11796479 11796479 2112000 32"
slot() { local k; for k in mainmap flagmap unit variables; do echo -n " $(stat -c %s "$SAVES/SAVEGAME1.$k" 2>/dev/null || echo missing)"; done; }
slot_sum() { { cat "$SAVES"/SAVEGAME1.{mainmap,flagmap,unit,variables} 2>/dev/null || true; } | md5sum; }

wine "$installer" /S
for file in voxel_dungeon.exe installed Uninstall.exe bmp_cube/grass3.bmp map/1.overworld README.md \
            "../../ProgramData/Microsoft/Windows/Start Menu/Programs/Voxel Dungeon/Voxel Dungeon.lnk"; do
    e2e_check_that "installed: $file" "missing" [ -e "$INSTALL/$file" ]
done
before=$(e2e_tree_listing "$INSTALL")
e2e_start_in / --
e2e_wait_running 60 || exit 1
e2e_check_textured "the installed game"
e2e_read || true
start=$E2E_POS
e2e_slot_op F5 Saving
e2e_check "F5 writes slot 1 under Saved Games" "$SIZES" "$(slot)"
e2e_press bracketright 0.15 0.2
e2e_slot_op F7 Loading
e2e_read || true
e2e_check "F7 loads slot 1 back from Saved Games" "$start" "$E2E_POS"

# A kill in the middle of the next save, after the player has moved down a layer.
old=$(slot_sum)
e2e_press KP_Subtract 0.15 1
e2e_read || true
moved=$E2E_POS
e2e_press F5 0.3 0
e2e_until 5 e2e_shows 20 100 "Saving dungeon maps" || true
sleep 1
kill -9 "$E2E_GAME_PID"
e2e_stop_game
wineserver -k 2>/dev/null || true
e2e_check "after the kill the slot is four whole files" "$SIZES" "$(slot)"
if [ "$(slot_sum)" != "$old" ]; then
    e2e_start_in / --
    e2e_wait_running 60 || exit 1
    e2e_slot_op F7 Loading
    e2e_read || true
    e2e_check "the kill left the new slot, whole: it loads" "$moved" "$E2E_POS"
    e2e_stop_game
    wineserver -k 2>/dev/null || true
fi
e2e_check "nothing under Program Files changed" "" "$(diff <(echo "$before") <(e2e_tree_listing "$INSTALL") || true)"
e2e_finish
