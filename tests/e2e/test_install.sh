#!/usr/bin/env bash
# The installed game (Linux): cmake --install into a temporary prefix, run
# from / by a user who owns nothing there with a fresh HOME: the textured
# world, F5 writes slot 1 under $HOME/.local/share/voxel-dungeon, F7 loads it
# back, and nothing under the prefix is made, removed, written or touched.
# Usage: test_install.sh GAME_BINARY RUN_DIR (the build folder holds the binary)
source "$(dirname "${BASH_SOURCE[0]}")/driver.sh"
e2e_setup "$@"
PREFIX="$E2E_TMP/prefix"
cmake --install "$(dirname "$E2E_GAME")" --prefix "$PREFIX" >"$E2E_TMP/install.log" 2>&1 || e2e_fatal "cmake --install failed"
for file in bin/voxel_dungeon share/voxel-dungeon/bmp_cube/grass3.bmp share/voxel-dungeon/map/1.overworld \
            share/applications/voxel-dungeon.desktop share/icons/hicolor/64x64/apps/voxel-dungeon.png \
            share/doc/voxel-dungeon/README.md; do
    e2e_check_that "installed: $file" "missing" [ -s "$PREFIX/$file" ]
done
e2e_check "no save slot is installed" "" "$(cd "$PREFIX" && find . -name 'SAVEGAME*')"
e2e_check "the desktop entry is valid" "" "$(desktop-file-validate "$PREFIX/share/applications/voxel-dungeon.desktop" 2>&1)"

# The player is nobody when the test runs as root (who could write anywhere).
export HOME="$E2E_TMP/home"
mkdir -p "$HOME"
chmod 755 "$E2E_TMP"
RUN_AS=()
[ "$(id -u)" -ne 0 ] || { chown 65534:65534 "$HOME"; RUN_AS=(setpriv --reuid=65534 --regid=65534 --clear-groups); }
before=$(e2e_tree_listing "$PREFIX")
E2E_GAME_CMD=("$PREFIX/bin/voxel_dungeon")
e2e_start_in / env -u XDG_DATA_HOME -u VOXEL_DUNGEON_DATA "${RUN_AS[@]}" --
e2e_wait_running 60 || exit 1
e2e_check_textured "the installed game"
e2e_read || true
start=$E2E_POS
SAVES="$HOME/.local/share/voxel-dungeon"
e2e_slot_op F5 Saving
e2e_check "F5 writes slot 1 under \$HOME/.local/share/voxel-dungeon, owned by the player" \
    "11796479 11796479 2112000 32 $(id -u "${RUN_AS[*]:+nobody}" 2>/dev/null || id -u)" \
    "$(stat -c %s "$SAVES"/SAVEGAME1.{mainmap,flagmap,unit,variables} | xargs) $(stat -c %u "$SAVES/SAVEGAME1.variables")"
e2e_press bracketright 0.15 0.2
e2e_slot_op F7 Loading
e2e_read || true
e2e_check "F7 loads slot 1 back: the position and MVD as saved" "$start 6" "$E2E_POS $(echo "$E2E_COUNTS" | cut -d' ' -f3)"
e2e_quit
e2e_check "Escape ends the installed game with status 0" 0 "$E2E_EXIT"
e2e_check "nothing under the prefix changed" "" "$(diff <(echo "$before") <(e2e_tree_listing "$PREFIX") || true)"
e2e_finish
