#!/usr/bin/env bash
# Runs one end-to-end scenario against the Windows game under Wine: the
# driver starts the game by E2E_GAME_CMD="wine voxel_dungeon.exe" in the
# cross-built run folder, in a fresh Wine prefix of its own. The scenario's
# game binary stays the Linux one, so that the helpers beside it
# (make_e2e_slot) are found; a slot is the same bytes on both systems.
# Skipped (status 77) without wine or the cross-built game.
# Usage: wine.sh SCENARIO WINDOWS_EXE LINUX_GAME
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
exe=$(realpath -m "$2")
command -v wine >/dev/null || { echo "e2e: SKIPPED: no wine here (tools/setup.sh installs wine64)" >&2; exit 77; }
[ -f "$exe" ] || { echo "e2e: SKIPPED: no $exe (tools/build_windows.sh builds it)" >&2; exit 77; }
prefix=$(mktemp -d)
export WINEPREFIX="$prefix" WINEDEBUG=-all E2E_GAME_CMD="wine $exe"
trap 'wineserver -k 2>/dev/null || true; rm -rf "$prefix"' EXIT
# With no window manager, Wine never gives a managed window the keyboard
# focus, and a key released while the pointer is off the game's window is
# lost; unmanaged, its windows take the focus themselves, as the game's SDL
# windows do on Linux. The prefix is made without a display, so its server
# is ended: the game's first start brings up one on the scenario's Xvfb.
wineboot -i >/dev/null 2>&1 &&
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 &&
    wineserver -k 2>/dev/null || { echo "e2e: wineboot failed" >&2; exit 1; }
status=0
bash "$here/$1" "$3" "$(dirname "$exe")/run" || status=$?
exit $status
