#!/usr/bin/env bash
# The Debian package: cpack -G DEB makes voxel-dungeon_*.deb whose Depends
# name runtime libraries only; apt-get installs it; the installed game, run
# from / by an unprivileged user, shows the textured world and writes
# nothing under /usr. Removed again at the end. Needs root and apt: elsewhere
# it says so and passes without checking.
# Usage: test_package.sh GAME_BINARY RUN_DIR (the build folder holds the binary)
if [ "$(id -u)" -ne 0 ] || ! command -v apt-get >/dev/null ||
   dpkg-query -W -f='${Status}' voxel-dungeon 2>/dev/null | grep -q "install ok installed"; then
    echo "SKIP: needs root and apt-get, and no voxel-dungeon package installed already"
    exit 0
fi
source "$(dirname "${BASH_SOURCE[0]}")/driver.sh"
e2e_setup "$@"
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
export HOME="$E2E_TMP/home"
mkdir -p "$HOME"
chmod 755 "$E2E_TMP"
chown 65534:65534 "$HOME"
before=$(e2e_tree_listing /usr/share/voxel-dungeon)
E2E_GAME_CMD=(/usr/bin/voxel_dungeon)
e2e_start_in / env -u XDG_DATA_HOME -u VOXEL_DUNGEON_DATA setpriv --reuid=65534 --regid=65534 --clear-groups -- --seed 7
e2e_wait_running 60 || exit 1
e2e_check_textured "the packaged game"
e2e_check "the packaged game prints its seed" "Seed: 7" "$(grep '^Seed:' "$E2E_TMP/game.log")"
e2e_quit
e2e_check "Escape ends the packaged game with status 0" 0 "$E2E_EXIT"
e2e_check "nothing under /usr/share/voxel-dungeon changed" "" \
    "$(diff <(echo "$before") <(e2e_tree_listing /usr/share/voxel-dungeon) || true)"
e2e_finish
