# Helpers for end-to-end tests of the real game binary on a private Xvfb
# display with no window manager. Source this file, then call e2e_setup.
#
# Without a window manager the tests give the window the keyboard focus
# themselves, also after F1..F4 re-create it. The game polls keys once a
# frame and then may sleep for the key's pause, so a key is held across at
# least one frame and the pause is waited out before the next tap.

E2E_FAILURES=0
E2E_CHECKS=0
E2E_XVFB_PID=""
E2E_GAME_PID=""
E2E_TMP=""

e2e_log() { echo "e2e: $*" >&2; }

# Stops the game if it is still running.
e2e_stop_game() {
    if [ -n "$E2E_GAME_PID" ] && kill -0 "$E2E_GAME_PID" 2>/dev/null; then
        kill "$E2E_GAME_PID" 2>/dev/null
        sleep 0.2
        kill -9 "$E2E_GAME_PID" 2>/dev/null
        wait "$E2E_GAME_PID" 2>/dev/null
    fi
    E2E_GAME_PID=""
}

# Stops the game and Xvfb (whichever were started) and removes the scratch folder.
e2e_cleanup() {
    e2e_stop_game
    if [ -n "$E2E_XVFB_PID" ] && kill -0 "$E2E_XVFB_PID" 2>/dev/null; then
        kill "$E2E_XVFB_PID" 2>/dev/null
        wait "$E2E_XVFB_PID" 2>/dev/null
    fi
    E2E_XVFB_PID=""
    [ -n "$E2E_TMP" ] && rm -rf "$E2E_TMP"
    E2E_TMP=""
}

# Starts Xvfb on the first free display from :95 up and exports DISPLAY.
e2e_start_xvfb() {
    local n
    for n in $(seq 95 140); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        Xvfb ":$n" -screen 0 1600x1200x24 -nolisten tcp >"$E2E_TMP/xvfb.log" 2>&1 &
        E2E_XVFB_PID=$!
        local tries
        for tries in $(seq 1 50); do
            if xdpyinfo -display ":$n" >/dev/null 2>&1; then
                export DISPLAY=":$n"
                return 0
            fi
            kill -0 "$E2E_XVFB_PID" 2>/dev/null || break
            sleep 0.1
        done
        kill "$E2E_XVFB_PID" 2>/dev/null
        wait "$E2E_XVFB_PID" 2>/dev/null
        E2E_XVFB_PID=""
    done
    e2e_log "could not start Xvfb"
    return 1
}

# e2e_setup GAME_BINARY RUN_DIR: checks the tools, starts Xvfb, and arranges
# the clean-up for every way the script can end.
e2e_setup() {
    local tool
    for tool in Xvfb xdotool xwininfo xdpyinfo; do
        command -v "$tool" >/dev/null || { e2e_log "missing tool: $tool"; exit 1; }
    done
    [ -x "$1" ] || { e2e_log "no game binary at '$1'"; exit 1; }
    [ -d "$2" ] || { e2e_log "no run directory at '$2'"; exit 1; }
    # The game runs inside its run directory, so the binary's path must not be relative.
    E2E_GAME=$(realpath "$1")
    E2E_RUN_DIR=$(realpath "$2")
    E2E_TMP=$(mktemp -d)
    trap e2e_cleanup EXIT
    trap 'exit 130' INT TERM
    e2e_start_xvfb || exit 1
}

# Builds the close-request sender into the scratch folder; prints its path.
e2e_build_send_close() {
    local here
    here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
    g++ -O1 -o "$E2E_TMP/send_close" "$here/send_close.cpp" -lX11 || return 1
    echo "$E2E_TMP/send_close"
}

# Starts the game in its run directory; its output goes to $E2E_TMP/game.log.
e2e_start_game() {
    (cd "$E2E_RUN_DIR" && exec "$E2E_GAME") >"$E2E_TMP/game.log" 2>&1 &
    E2E_GAME_PID=$!
}

# Prints the id of the window titled GAME, waiting up to $1 seconds (default 20).
e2e_find_window() {
    local limit=${1:-20} waited=0 id
    while [ "$waited" -lt $((limit * 10)) ]; do
        id=$(xdotool search --name '^GAME$' 2>/dev/null | tail -1)
        if [ -n "$id" ] && xwininfo -id "$id" 2>/dev/null | grep -q 'IsViewable'; then
            echo "$id"
            return 0
        fi
        kill -0 "$E2E_GAME_PID" 2>/dev/null || { e2e_log "the game ended before its window showed"; return 1; }
        sleep 0.1
        waited=$((waited + 1))
    done
    e2e_log "no GAME window after $limit s"
    return 1
}

# Finds the (possibly re-created) window and gives it the keyboard focus; prints its id.
e2e_focus_window() {
    local id
    id=$(e2e_find_window "$@") || return 1
    xdotool windowfocus "$id" 2>/dev/null
    sleep 0.2
    echo "$id"
}

# Prints "x y width height" of a window, from xwininfo.
e2e_geometry() {
    xwininfo -id "$1" 2>/dev/null | awk '
        /Absolute upper-left X:/ { x = $NF }
        /Absolute upper-left Y:/ { y = $NF }
        /^ *Width:/ { w = $NF }
        /^ *Height:/ { h = $NF }
        END { print x, y, w, h }'
}

# Holds a key (an xdotool key name) across at least one frame, then waits out
# the longest pause a key can cause before the next tap.
e2e_tap() {
    xdotool keydown "$1"
    sleep "${2:-0.3}"
    xdotool keyup "$1"
    sleep 0.3
}

# The id of the current GAME window, or nothing; no waiting.
e2e_current_window() {
    xdotool search --name '^GAME$' 2>/dev/null | tail -1
}

# True when the current GAME window has the geometry "$1" ("x y width height").
e2e_window_is() {
    local id
    id=$(e2e_current_window)
    [ -n "$id" ] && [ "$(e2e_geometry "$id")" = "$1" ]
}

# e2e_hold_until KEY LIMIT_S CHECK [ARGS...]: holds KEY until CHECK ARGS
# succeeds or LIMIT_S seconds pass, giving each re-created window the focus
# on the way; then releases the key and waits out its pause. The window keys
# act in every frame while held, so holding is how a slow frame is ridden out.
e2e_hold_until() {
    local key=$1 limit_tenths=$(( $2 * 10 )) waited=0 id ok=1
    shift 2
    xdotool keydown "$key"
    while [ "$waited" -lt "$limit_tenths" ]; do
        if "$@"; then ok=0; break; fi
        id=$(e2e_current_window)
        [ -n "$id" ] && xdotool windowfocus "$id" 2>/dev/null
        sleep 0.1
        waited=$((waited + 1))
    done
    xdotool keyup "$key"
    sleep 0.3
    return $ok
}

# The window appears before the world is built; the frame loop starts later.
# Waits (at most $1 seconds) until the loop runs: F2 re-creates the window at
# the start size, so a new window id means a frame has polled the keys.
e2e_wait_running() {
    local first
    first=$(e2e_find_window "$1") || return 1
    _e2e_new_window() { local id; id=$(e2e_current_window); [ -n "$id" ] && [ "$id" != "$first" ]; }
    e2e_hold_until F2 "$1" _e2e_new_window || { e2e_log "the frame loop did not start in $1 s"; return 1; }
    e2e_focus_window >/dev/null
}

# Puts the pointer at screen position ($1, $2) with relative XTEST motion from
# the top-left corner: SDL updates its global pointer on input-device motion,
# not on a bare warp of the pointer.
e2e_move_pointer() {
    xdotool mousemove 0 0
    xdotool mousemove_relative -- "$1" "$2"
    sleep 0.3
}

# Waits up to $1 seconds for the game to end; sets E2E_EXIT to its status,
# or to "running" when it did not end in time.
e2e_wait_exit() {
    local limit_tenths=$(( $1 * 10 )) waited=0
    while [ "$waited" -lt "$limit_tenths" ]; do
        if ! kill -0 "$E2E_GAME_PID" 2>/dev/null; then
            wait "$E2E_GAME_PID"
            E2E_EXIT=$?
            E2E_GAME_PID=""
            return 0
        fi
        sleep 0.1
        waited=$((waited + 1))
    done
    E2E_EXIT=running
    return 1
}

# e2e_check NAME EXPECTED ACTUAL
e2e_check() {
    E2E_CHECKS=$((E2E_CHECKS + 1))
    if [ "$2" = "$3" ]; then
        echo "ok   $1"
    else
        echo "FAIL $1: expected '$2', got '$3'"
        E2E_FAILURES=$((E2E_FAILURES + 1))
    fi
}

# Prints the closing line and exits with the result.
e2e_finish() {
    if [ "$E2E_FAILURES" -ne 0 ] && [ -n "$E2E_TMP" ] && [ -s "$E2E_TMP/game.log" ]; then
        echo "--- game output ---"
        tail -20 "$E2E_TMP/game.log"
    fi
    echo "$((E2E_CHECKS - E2E_FAILURES)) passed, $E2E_FAILURES failed"
    [ "$E2E_FAILURES" -eq 0 ]
    exit $?
}
