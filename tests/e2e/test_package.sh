#!/usr/bin/env bash
# The Debian package: cpack -G DEB makes voxel-dungeon_*.deb whose Depends
# name runtime libraries only, apt-get installs it, and the installed game,
# run from / by an unprivileged user, shows the textured world and writes
# nothing under /usr. The package is removed again at the end. Needs root
# and apt; elsewhere the test says so and passes without checking.
# Usage: test_package.sh GAME_BINARY RUN_DIR (the build folder holds the binary)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

if [ "$(id -u)" -ne 0 ] || ! command -v apt-get >/dev/null || ! command -v dpkg-deb >/dev/null; then
    echo "SKIP: installing a .deb needs root, apt-get and dpkg-deb"
    exit 0
fi
if dpkg-query -W -f='${Status}' voxel-dungeon 2>/dev/null | grep -q "install ok installed"; then
    echo "SKIP: a voxel-dungeon package is installed already; this test would replace it"
    exit 0
fi

e2e_setup "$1" "$2"
e2e_build_probe || exit 1
NOW=$(e2e_now)
BUILD_DIR=$(dirname "$E2E_GAME")
remove_package() { e2e_cleanup; apt-get remove -y -qq voxel-dungeon >/dev/null 2>&1 || true; }
trap remove_package EXIT

(cd "$BUILD_DIR" && cpack -G DEB -B "$E2E_TMP/package") >"$E2E_TMP/cpack.log" 2>&1 ||
    e2e_fatal "cpack failed: $(tail -5 "$E2E_TMP/cpack.log")"
deb=$(ls "$E2E_TMP"/package/voxel-dungeon_*.deb 2>/dev/null | head -1)
[ -n "$deb" ] || e2e_fatal "no voxel-dungeon_*.deb in $E2E_TMP/package"
depends=$(dpkg-deb -f "$deb" Depends)
e2e_check_that "Depends names no -dev package" "$depends" eval '! echo "$depends" | grep -q -- "-dev"'
for library in libsdl2-2.0-0 libgl1 libglu1-mesa; do
    e2e_check_that "Depends names $library" "$depends" eval 'echo "$depends" | grep -qw -- "$library"'
done
dpkg-deb -c "$deb" | awk '{ print $NF }' >"$E2E_TMP/contents.txt"
for file in ./usr/bin/voxel_dungeon ./usr/share/voxel-dungeon/bmp_cube/grass3.bmp ./usr/share/voxel-dungeon/map/1.overworld \
            ./usr/share/applications/voxel-dungeon.desktop ./usr/share/icons/hicolor/64x64/apps/voxel-dungeon.png; do
    e2e_check_that "the package holds $file" "$(wc -l <"$E2E_TMP/contents.txt") entries" grep -qx "$file" "$E2E_TMP/contents.txt"
done

DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" >"$E2E_TMP/apt.log" 2>&1 ||
    e2e_fatal "apt-get install failed: $(tail -5 "$E2E_TMP/apt.log")"
e2e_check "apt-get installs the package" "install ok installed" "$(dpkg-query -W -f='${Status}' voxel-dungeon)"

export HOME="$E2E_TMP/home"
mkdir -p "$HOME"
chmod 755 "$E2E_TMP"
chown 65534:65534 "$HOME"
before=$(e2e_tree_listing /usr/share/voxel-dungeon)
e2e_start_command / env -u XDG_DATA_HOME -u VOXEL_DUNGEON_DATA \
    setpriv --reuid=65534 --regid=65534 --clear-groups /usr/bin/voxel_dungeon --seed 7
e2e_wait_running 60 || exit 1
e2e_grab "$NOW" || exit 1
e2e_check "the packaged game shows the HUD" "$E2E_BANNER" "$(e2e_banner "$NOW")"
colours=$("$E2E_PROBE" colours "$NOW")
e2e_check_that "the packaged game's 3D view is textured" "$colours colours" [ "$colours" -ge 40 ]
e2e_check "the packaged game prints its seed" "Seed: 7" "$(grep '^Seed:' "$E2E_TMP/game.log")"
e2e_quit_by_escape
e2e_check "Escape ends the packaged game with status 0" 0 "$E2E_EXIT"
e2e_check "nothing under /usr/share/voxel-dungeon changed" "" \
    "$(diff <(echo "$before") <(e2e_tree_listing /usr/share/voxel-dungeon) || true)"

e2e_finish
