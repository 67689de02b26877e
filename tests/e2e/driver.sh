# The end-to-end driver: a private Xvfb display with no window manager, the
# game started in a run folder, keys held across frames, and the game's state
# read off the screen with screen_probe. A scenario sources this file and
# calls e2e_setup GAME_BINARY RUN_DIR.
#
# The game is started by $E2E_GAME_CMD (words split by the shell), by default
# the binary given; any build that opens an X window titled GAME can be
# driven (E2E_GAME_CMD="wine build-win/voxel_dungeon.exe"). The game polls
# keys once a frame and may then sleep for the key's pause: a key is held
# across at least one frame and its pause waited out before the next.
set -euo pipefail
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
E2E_FAILURES=0 E2E_CHECKS=0 E2E_XVFB_PID="" E2E_GAME_PID="" E2E_TMP=""
E2E_BANNER=WIN32RUNKITSTONEGLOAMSR002   # the HUD's top line
E2E_YELLOW=FFFF00

e2e_log() { echo "e2e: $*" >&2; }

e2e_stop_game() {
    [ -n "$E2E_GAME_PID" ] || return 0
    ! e2e_running || { kill "$E2E_GAME_PID"; sleep 0.2; kill -9 "$E2E_GAME_PID"; } 2>/dev/null || true
    wait "$E2E_GAME_PID" 2>/dev/null || true
    E2E_GAME_PID=""
}

# E2E_KEEP_TMP=1 keeps the scratch folder (the grabs and the game's output).
e2e_cleanup() {
    e2e_stop_game
    [ -z "$E2E_XVFB_PID" ] || { kill "$E2E_XVFB_PID" 2>/dev/null; wait "$E2E_XVFB_PID" 2>/dev/null; } || true
    if [ "${E2E_KEEP_TMP:-0}" = 1 ]; then e2e_log "kept $E2E_TMP"; else rm -rf "$E2E_TMP"; fi
}

# e2e_setup GAME_BINARY RUN_DIR: starts Xvfb on the first free display from
# :95 up (the screen E2E_SCREEN, 1600x1200x24 by default; -noreset keeps a
# keyboard layout set with setxkbmap) and builds screen_probe.
e2e_setup() {
    local n tries
    E2E_GAME=$(realpath "$1") E2E_RUN_DIR=$(realpath "$2")
    read -r -a E2E_GAME_CMD <<<"${E2E_GAME_CMD:-$E2E_GAME}"
    E2E_TMP=$(mktemp -d)
    NOW="$E2E_TMP/now.ppm"
    # The game keeps its settings here, so a test never reads or changes the tester's own.
    export XDG_CONFIG_HOME="$E2E_TMP/config"
    trap e2e_cleanup EXIT
    trap 'exit 130' INT TERM
    for n in $(seq 95 140); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        Xvfb ":$n" -screen 0 "${E2E_SCREEN:-1600x1200x24}" -nolisten tcp -noreset >"$E2E_TMP/xvfb.log" 2>&1 &
        E2E_XVFB_PID=$!
        for tries in $(seq 50); do
            xdpyinfo -display ":$n" >/dev/null 2>&1 && { export DISPLAY=":$n"; break 2; } || sleep 0.1
        done
        kill "$E2E_XVFB_PID" 2>/dev/null || true
        E2E_XVFB_PID=""
    done
    [ -n "$E2E_XVFB_PID" ] || { e2e_log "could not start Xvfb"; exit 1; }
    g++ -std=c++20 -O2 -I"$HERE/../.." -o "$E2E_TMP/screen_probe" "$HERE/screen_probe.cpp" \
        "$HERE/../../render/font_big.cpp" -lX11 -lpng || exit 1
    PROBE="$E2E_TMP/screen_probe"
}

# A copy of the run folder without saves, so that saves touch neither the build nor other tests.
e2e_fresh_run_dir() {
    cp -r "$E2E_RUN_DIR" "$E2E_TMP/run"
    E2E_RUN_DIR="$E2E_TMP/run"
    mkdir -p "$E2E_RUN_DIR/map"
    rm -f "$E2E_RUN_DIR"/map/SAVEGAME*
}

# e2e_start [ARGS...]: the game in its run folder. e2e_start_in DIR PREFIX...
# -- [ARGS...]: in DIR behind the PREFIX words (env, setpriv, LD_PRELOAD=...).
e2e_start() { e2e_start_in "$E2E_RUN_DIR" -- "$@"; }
e2e_start_in() {
    local dir=$1 prefix=()
    shift
    while [ "$1" != -- ]; do prefix+=("$1"); shift; done
    shift
    (cd "$dir" && exec "${prefix[@]}" "${E2E_GAME_CMD[@]}" "$@") >"$E2E_TMP/game.log" 2>&1 &
    E2E_GAME_PID=$!
}
e2e_running() { [ -n "$E2E_GAME_PID" ] && kill -0 "$E2E_GAME_PID" 2>/dev/null; }

# Waits up to $1 s for the game to end; E2E_EXIT is its status, or "running".
e2e_wait_exit() {
    local end=$((SECONDS + $1))
    while e2e_running && [ "$SECONDS" -lt "$end" ]; do sleep 0.1; done
    E2E_EXIT=running
    ! e2e_running || return 1
    wait "$E2E_GAME_PID" && E2E_EXIT=0 || E2E_EXIT=$?
    E2E_GAME_PID=""
}
e2e_quit() { xdotool keydown Escape; e2e_wait_exit 3 || true; xdotool keyup Escape; }

# e2e_until LIMIT_S CHECK [ARGS...]: retries CHECK 0.1 s apart while the game runs.
e2e_until() {
    local end=$((SECONDS + $1))
    shift
    until "$@"; do
        [ "$SECONDS" -lt "$end" ] && { [ -z "$E2E_GAME_PID" ] || e2e_running; } || return 1
        sleep 0.1
    done
}

# --- the window ---
# Empty, never a failure, while no window is there (between a re-creation's two windows).
e2e_window() { { xdotool search --name '^GAME$' 2>/dev/null || true; } | tail -1; }
e2e_geometry() {
    xwininfo -id "$1" 2>/dev/null | awk '/Absolute upper-left X:/ { x = $NF } /Absolute upper-left Y:/ { y = $NF }
        /^ *Width:/ { w = $NF } /^ *Height:/ { h = $NF } END { print x, y, w, h }'
}
e2e_window_is() { local id; id=$(e2e_window); [ -n "$id" ] && [ "$(e2e_geometry "$id")" = "$1" ]; }
_e2e_viewable() { local id; id=$(e2e_window); [ -n "$id" ] && xwininfo -id "$id" | grep -q IsViewable; }
# No window manager: the tests give the (possibly re-created) window the focus.
_e2e_focus_now() { local id; id=$(e2e_window); [ -z "$id" ] || xdotool windowfocus "$id" 2>/dev/null || true; }
e2e_focus() {
    e2e_until "${1:-20}" _e2e_viewable || { e2e_log "no GAME window"; return 1; }
    _e2e_focus_now
    sleep 0.2
}
# The ERROR message box (found in the window tree: it has no _NET_WM_NAME for xdotool).
e2e_error_box() { xwininfo -root -tree 2>/dev/null | awk '/"ERROR"/ { print $1 }' | tail -1 | grep .; }

# e2e_hold_until KEY LIMIT_S CHECK [ARGS...]: holds KEY until CHECK passes,
# focusing each re-created window on the way.
e2e_hold_until() {
    local key=$1 end=$((SECONDS + $2)) ok=1
    shift 2
    xdotool keydown "$key"
    while [ "$SECONDS" -lt "$end" ]; do
        if "$@"; then ok=0; break; fi
        _e2e_focus_now
        sleep 0.1
    done
    # The release goes to the window the key made: Wine with no window
    # manager misses a release while none of its windows has the focus.
    _e2e_focus_now
    xdotool keyup "$key"
    sleep 0.3
    return $ok
}
# The window shows before the world is built: F2 re-creates it once a frame
# has polled the keys, so a new window id means the frame loop runs.
e2e_wait_running() {
    local first
    e2e_focus "$1" || return 1
    first=$(e2e_window)
    _e2e_new() { local id; id=$(e2e_window); [ -n "$id" ] && [ "$id" != "$first" ]; }
    e2e_hold_until F2 "$1" _e2e_new || { e2e_log "the frame loop did not start in $1 s"; return 1; }
    e2e_focus
}
# e2e_press KEY [HOLD_S] [AFTER_S]
e2e_press() { xdotool keydown "$1"; sleep "${2:-0.1}"; xdotool keyup "$1"; sleep "${3:-0.3}"; }
e2e_click() { xdotool click "$1"; sleep 0.2; }
# The pointer at screen (x, y) by XTEST motion from the corner: SDL follows device motion, not warps.
e2e_pointer_at() { xdotool mousemove 0 0; xdotool mousemove_relative -- "$1" "$2"; sleep 0.3; }
# The pointer on overlay pixel (mx, my), counted up from the bottom, of the window at the origin at scale $3 (2).
e2e_point() { local s=${3:-2}; e2e_pointer_at $(($1 * s + s / 2)) $(((240 - $2) * s - s / 2)); }

# --- the picture ---
e2e_grab() { local id; e2e_running && id=$(e2e_window) && [ -n "$id" ] && "$PROBE" grab "$id" "${1:-$NOW}"; }
# e2e_text FILE X Y [COLOUR]: the text drawn at overlay (X, Y).
e2e_text() { "$PROBE" text "$1" "$2" "$3" "${4:-$E2E_YELLOW}"; }
e2e_banner() { e2e_text "$1" 12 226; }
e2e_shows() { e2e_grab && [ "$(e2e_text "$NOW" "$1" "$2")" = "$3" ]; }
# E2E_POS "SX SY SZ" and E2E_COUNTS "found total mvd" from a fresh grab.
e2e_read() {
    E2E_POS="" E2E_COUNTS=""
    e2e_grab || return 1
    E2E_POS=$(e2e_text "$NOW" 12 31 | sed -n 's/^SX=\(-*[0-9]*\),SY=\(-*[0-9]*\),SZ=\(-*[0-9]*\) mx=.*/\1 \2 \3/p')
    E2E_COUNTS=$(e2e_text "$NOW" 12 46 | sed -n 's/^Objective Number = \([0-9]*\) \/ \([0-9]*\)  MVD = \([0-9]*\)$/\1 \2 \3/p')
    [ -n "$E2E_POS" ]
}
e2e_pointer_shown() { e2e_text "$1" 12 31 | sed -n 's/.* mx=\([0-9]*\) my=\([0-9]*\)$/\1 \2/p'; }
# The started game shows the HUD over a textured (many-coloured) view.
e2e_check_textured() {
    e2e_grab || e2e_fatal "$1: no window to grab"
    e2e_check "$1 shows the HUD" "$E2E_BANNER" "$(e2e_banner "$NOW")"
    local colours; colours=$("$PROBE" colours "$NOW")
    e2e_check_that "$1 shows a textured view" "$colours colours" [ "$colours" -ge 40 ]
}

# e2e_slot_op KEY WORD: F5..F8 show "WORD dungeon maps" and hold the game about 9 s.
e2e_slot_op() {
    local start=$SECONDS
    e2e_press "$1" 0.3 0
    e2e_check_that "$1 shows '$2 dungeon maps'" "not seen in 5 s" e2e_until 5 e2e_shows 20 100 "$2 dungeon maps"
    e2e_until 30 e2e_shows 12 226 "$E2E_BANNER" || e2e_fatal "$1: no HUD again within 30 s"
    e2e_check_that "$1 holds the game about 9 s" "$((SECONDS - start)) s" [ $((SECONDS - start)) -ge 7 -a $((SECONDS - start)) -le 20 ]
}
e2e_tree_listing() { find "$1" -printf '%p %s %T@\n' | sort; }
e2e_helper() {   # e2e_helper NAME: a helper program the build puts beside the game binary
    [ -x "$(dirname "$E2E_GAME")/$1" ] || e2e_fatal "no $1 beside the game: build its target"
    echo "$(dirname "$E2E_GAME")/$1"
}

# --- checks ---
_e2e_gone() { [ -z "$E2E_GAME_PID" ] || e2e_running || echo " (the game is no longer running)"; }
e2e_check() { e2e_check_that "$1" "expected '$2', got '$3'" [ "$2" = "$3" ]; }   # NAME EXPECTED ACTUAL
e2e_check_that() {   # NAME DETAIL COMMAND...: DETAIL says what was seen on failure
    local name=$1 detail=$2
    shift 2
    E2E_CHECKS=$((E2E_CHECKS + 1))
    if "$@"; then echo "ok   $name"; else
        echo "FAIL $name: $detail$(_e2e_gone)"; E2E_FAILURES=$((E2E_FAILURES + 1)); fi
}
e2e_fatal() { E2E_CHECKS=$((E2E_CHECKS + 1)) E2E_FAILURES=$((E2E_FAILURES + 1)); echo "FAIL $*$(_e2e_gone)"; e2e_finish; }
e2e_finish() {
    [ "$E2E_FAILURES" -eq 0 ] || { echo "--- game output ---"; tail -20 "$E2E_TMP/game.log" 2>/dev/null; }
    echo "$((E2E_CHECKS - E2E_FAILURES)) passed, $E2E_FAILURES failed"
    exit $((E2E_FAILURES != 0))
}
