#!/usr/bin/env bash
# Runs one end-to-end scenario against the Windows game under Wine: the
# scenario gets, as its game binary, a wrapper that starts
# `wine voxel_dungeon.exe`, in a fresh Wine prefix of its own, and the
# cross-built run folder; make_e2e_slot (a Linux build) sits beside the
# wrapper, as the scenarios expect, since a slot is the same bytes on both
# systems. Skipped (status 77) without wine or the cross-built game.
# Usage: wine.sh SCENARIO WINDOWS_EXE [MAKE_E2E_SLOT]
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
scenario=$1
exe=$(realpath -m "$2")
command -v wine >/dev/null || { echo "e2e: SKIPPED: no wine here (tools/setup.sh installs wine64)" >&2; exit 77; }
[ -f "$exe" ] || { echo "e2e: SKIPPED: no $exe (tools/build_windows.sh builds it)" >&2; exit 77; }
bin=$(mktemp -d)
export WINEPREFIX="$bin/prefix" WINEDEBUG=-all
trap 'wineserver -k 2>/dev/null || true; rm -rf "$bin"' EXIT
# The prefix is made without a display; its server is ended so that the
# game's first start brings up a fresh one on the scenario's Xvfb.
# With no window manager, Wine never gives a managed window the keyboard
# focus, and a key released while the pointer is off the game's window is
# lost; unmanaged, its windows take the focus themselves, as the game's SDL
# windows do on Linux.
wineboot -i >/dev/null 2>&1 &&
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 &&
    wineserver -k 2>/dev/null || { echo "e2e: wineboot failed" >&2; exit 1; }
printf '#!/bin/sh\nexec wine "%s" "$@"\n' "$exe" >"$bin/voxel_dungeon"
chmod +x "$bin/voxel_dungeon"
if [ -n "${3:-}" ]; then ln -s "$(realpath "$3")" "$bin/make_e2e_slot"; fi
export E2E_WINE_EXE="$exe"
status=0
bash "$here/$scenario" "$bin/voxel_dungeon" "$(dirname "$exe")/run" || status=$?
exit $status
