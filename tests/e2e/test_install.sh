#!/usr/bin/env bash
# The installed game: cmake --install into a temporary prefix, then the
# installed program run from / by a user who owns nothing there, with a
# fresh HOME. The textured world shows, F5 writes slot 1 under
# $HOME/.local/share/voxel-dungeon, F7 loads it back, and not one file or
# folder under the prefix was made, removed, written or touched.
# Usage: test_install.sh GAME_BINARY RUN_DIR (the build folder holds the binary)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

e2e_setup "$1" "$2"
e2e_build_probe || exit 1
NOW=$(e2e_now)
BUILD_DIR=$(dirname "$E2E_GAME")
PREFIX="$E2E_TMP/prefix"

cmake --install "$BUILD_DIR" --prefix "$PREFIX" >"$E2E_TMP/install.log" 2>&1 ||
    e2e_fatal "cmake --install failed: $(tail -5 "$E2E_TMP/install.log")"
for file in bin/voxel_dungeon share/voxel-dungeon/bmp_cube/grass3.bmp share/voxel-dungeon/map/1.overworld \
            share/applications/voxel-dungeon.desktop share/icons/hicolor/64x64/apps/voxel-dungeon.png \
            share/doc/voxel-dungeon/README.md; do
    e2e_check_that "installed: $file" "missing" [ -s "$PREFIX/$file" ]
done
e2e_check "no save slot is installed" "" "$(cd "$PREFIX" && find . -name 'SAVEGAME*')"
if command -v desktop-file-validate >/dev/null; then
    e2e_check "the desktop entry is valid" "" \
        "$(desktop-file-validate "$PREFIX/share/applications/voxel-dungeon.desktop" 2>&1)"
else
    e2e_log "desktop-file-validate is missing (tools/setup.sh installs desktop-file-utils): entry not checked"
fi

# The player: nobody when the test runs as root (who could write anywhere),
# else the user running it. The prefix belongs to root (or to that user).
export HOME="$E2E_TMP/home"
mkdir -p "$HOME"
chmod 755 "$E2E_TMP"
RUN_AS=()
if [ "$(id -u)" -eq 0 ]; then
    chown 65534:65534 "$HOME"
    RUN_AS=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi
before=$(e2e_tree_listing "$PREFIX")
e2e_start_command / env -u XDG_DATA_HOME -u VOXEL_DUNGEON_DATA "${RUN_AS[@]}" "$PREFIX/bin/voxel_dungeon"
e2e_wait_running 60 || exit 1
e2e_grab "$NOW" || exit 1
e2e_check "the installed game shows the HUD" "$E2E_BANNER" "$(e2e_banner "$NOW")"
colours=$("$E2E_PROBE" colours "$NOW")
e2e_check_that "the installed game's 3D view is textured" "$colours colours" [ "$colours" -ge 40 ]
e2e_read_position || true
start=$E2E_POS

SAVES="$HOME/.local/share/voxel-dungeon"
e2e_slot_op F5 Saving
sizes=""
for kind in mainmap flagmap unit variables; do
    sizes="$sizes $(stat -c %s "$SAVES/SAVEGAME1.$kind" 2>/dev/null || echo missing)"
done
e2e_check "F5 writes slot 1 under \$HOME/.local/share/voxel-dungeon" " 11796479 11796479 2112000 32" "$sizes"
e2e_check "the slot belongs to the player" "$(id -u "${RUN_AS[*]:+nobody}" 2>/dev/null || id -u)" \
    "$(stat -c %u "$SAVES/SAVEGAME1.variables" 2>/dev/null || echo missing)"
e2e_press bracketright 0.15 0.2
e2e_slot_op F7 Loading
e2e_read_counts || true
e2e_check "F7 loads slot 1 back: MVD as saved" 6 "$(echo "$E2E_COUNTS" | awk '{ print $3 }')"
e2e_read_position || true
e2e_check "F7 loads slot 1 back: the position as saved" "$start" "$E2E_POS"

e2e_quit_by_escape
e2e_check "Escape ends the installed game with status 0" 0 "$E2E_EXIT"
after=$(e2e_tree_listing "$PREFIX")
e2e_check "nothing under the prefix changed" "" "$(diff <(echo "$before") <(echo "$after") || true)"

e2e_finish
