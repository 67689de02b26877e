#!/usr/bin/env bash
# The installed game (Linux), run from / by a user who owns nothing there
# with a fresh HOME, and nothing under the install made, removed, written or
# touched. First cmake --install into a temporary prefix: the textured world,
# F5 writes slot 1 under $HOME/.local/share/voxel-dungeon, F7 loads it back.
# Then, with root and apt and no voxel-dungeon package installed already,
# the Debian package: cpack -G DEB makes voxel-dungeon_*.deb whose Depends
# name runtime libraries only; apt-get installs it, and removes it at the end.
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
# play WHAT GAME FOLDER [ARGS...]: the installed GAME, its install FOLDER listed first.
play() {
    WHAT=$1 FOLDER=$3 BEFORE=$(e2e_tree_listing "$3")
    E2E_GAME_CMD=("$2")
    e2e_start_in / env -u XDG_DATA_HOME -u VOXEL_DUNGEON_DATA "${RUN_AS[@]}" -- "${@:4}"
    e2e_wait_running 60 || exit 1
    e2e_check_textured "$WHAT"
}
quit() {
    e2e_quit
    e2e_check "Escape ends $WHAT with status 0" 0 "$E2E_EXIT"
    e2e_check "nothing under $FOLDER changed" "" "$(diff <(echo "$BEFORE") <(e2e_tree_listing "$FOLDER") || true)"
}

play "the installed game" "$PREFIX/bin/voxel_dungeon" "$PREFIX"
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
quit

if [ "$(id -u)" -ne 0 ] || ! command -v apt-get >/dev/null ||
   dpkg-query -W -f='${Status}' voxel-dungeon 2>/dev/null | grep -q "install ok installed"; then
    e2e_log "skipped the package: needs root and apt-get, and no voxel-dungeon package installed already"
    e2e_finish
fi
trap 'e2e_cleanup; apt-get remove -y -qq voxel-dungeon >/dev/null 2>&1 || true' EXIT
(cd "$(dirname "$E2E_GAME")" && cpack -G DEB -B "$E2E_TMP/package") >"$E2E_TMP/cpack.log" 2>&1 || e2e_fatal "cpack failed"
deb=$(ls "$E2E_TMP"/package/voxel-dungeon_*.deb | head -1)
depends=$(dpkg-deb -f "$deb" Depends)
e2e_check_that "Depends names libsdl2-2.0-0, libgl1, libglu1-mesa and no -dev package" "$depends" \
    eval 'echo "$depends" | grep -w libsdl2-2.0-0 | grep -w libgl1 | grep -w libglu1-mesa | grep -vq -- -dev'
contents=$(dpkg-deb -c "$deb" | awk '{ print $NF }')
for file in ./usr/bin/voxel_dungeon ./usr/share/voxel-dungeon/bmp_cube/grass3.bmp ./usr/share/voxel-dungeon/map/1.overworld \
            ./usr/share/applications/voxel-dungeon.desktop ./usr/share/icons/hicolor/64x64/apps/voxel-dungeon.png; do
    e2e_check_that "the package holds $file" "not listed" grep -qx "$file" <<<"$contents"
done
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" >"$E2E_TMP/apt.log" 2>&1 || e2e_fatal "apt-get install failed"
play "the packaged game" /usr/bin/voxel_dungeon /usr/share/voxel-dungeon --seed 7
e2e_check "the packaged game prints its seed" "Seed: 7" "$(grep '^Seed:' "$E2E_TMP/game.log")"
quit
e2e_finish
