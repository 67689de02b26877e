# Helpers for end-to-end tests of the real game binary on a private Xvfb
# display with no window manager. Source this file, then call e2e_setup.
# The helpers also work in scripts that run with set -euo pipefail.
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
E2E_PROBE=""

e2e_log() { echo "e2e: $*" >&2; }

# Stops the game if it is still running.
e2e_stop_game() {
    if [ -n "$E2E_GAME_PID" ] && kill -0 "$E2E_GAME_PID" 2>/dev/null; then
        kill "$E2E_GAME_PID" 2>/dev/null || true
        sleep 0.2
        kill -9 "$E2E_GAME_PID" 2>/dev/null || true
        wait "$E2E_GAME_PID" 2>/dev/null || true
    fi
    E2E_GAME_PID=""
}

# Stops the game and Xvfb (whichever were started) and removes the scratch
# folder; E2E_KEEP_TMP=1 keeps it (and prints its path) for a look at the
# pictures and the game's output.
e2e_cleanup() {
    local status=$?
    if [ "$status" -ne 0 ] && [ -z "${E2E_FINISHED:-}" ]; then
        e2e_log "stopped early with status $status after $E2E_CHECKS checks"
    fi
    e2e_stop_game
    if [ -n "$E2E_XVFB_PID" ] && kill -0 "$E2E_XVFB_PID" 2>/dev/null; then
        kill "$E2E_XVFB_PID" 2>/dev/null || true
        wait "$E2E_XVFB_PID" 2>/dev/null || true
    fi
    E2E_XVFB_PID=""
    if [ -n "$E2E_TMP" ]; then
        if [ "${E2E_KEEP_TMP:-0}" = 1 ]; then
            e2e_log "kept the scratch folder $E2E_TMP"
        else
            rm -rf "$E2E_TMP"
        fi
    fi
    E2E_TMP=""
}

# Starts Xvfb on the first free display from :95 up and exports DISPLAY.
# -noreset: the server would otherwise reset when its last client leaves,
# which puts the default keyboard layout back after setxkbmap.
# The screen is 1600x1200 unless E2E_SCREEN names another size ("1920x1080x24").
e2e_start_xvfb() {
    local n
    for n in $(seq 95 140); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        Xvfb ":$n" -screen 0 "${E2E_SCREEN:-1600x1200x24}" -nolisten tcp -noreset >"$E2E_TMP/xvfb.log" 2>&1 &
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
        kill "$E2E_XVFB_PID" 2>/dev/null || true
        wait "$E2E_XVFB_PID" 2>/dev/null || true
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
    # The game keeps its settings here, so a test never reads or changes the tester's own.
    export XDG_CONFIG_HOME="$E2E_TMP/config"
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

# Sets MAKE_SLOT to make_e2e_slot beside the game binary (the build makes
# it), or ends the script when it is missing.
e2e_find_make_slot() {
    MAKE_SLOT="$(dirname "$E2E_GAME")/make_e2e_slot"
    [ -x "$MAKE_SLOT" ] || e2e_fatal "no $MAKE_SLOT: build the make_e2e_slot target"
}

# Holds Escape until the game has ended (at most 3 s); E2E_EXIT is its status.
e2e_quit_by_escape() {
    xdotool keydown Escape
    e2e_wait_exit 3 || true
    xdotool keyup Escape 2>/dev/null || true
}

# Starts the game in its run directory with the options given; its output
# goes to $E2E_TMP/game.log.
e2e_start_game() {
    e2e_start_command "$E2E_RUN_DIR" "$E2E_GAME" "$@"
}

# e2e_start_command DIR COMMAND [ARGS...]: starts the game by COMMAND (the
# game itself, or a wrapper that execs it) in DIR; output as above.
e2e_start_command() {
    local dir=$1
    shift
    (cd "$dir" && exec "$@") >"$E2E_TMP/game.log" 2>&1 &
    E2E_GAME_PID=$!
}

# Prints "path size mtime" of every file and folder under $1, sorted: two
# listings differ when anything there was made, removed, written or touched.
e2e_tree_listing() {
    find "$1" -printf '%p %s %T@\n' | sort
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
    xdotool windowfocus "$id" 2>/dev/null || true
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
        if [ -n "$id" ]; then xdotool windowfocus "$id" 2>/dev/null || true; fi
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

# Clicks mouse button $1 (1 left, 3 right) where the pointer is. The game
# takes one press of a button in 13 frames; the pause lets the frame that
# takes it run before anything else is checked.
e2e_click() {
    xdotool click "$1"
    sleep 0.2
}

# Holds a key for $2 seconds (default 0.1) and then waits $3 seconds (default
# 0.3). A short hold suits the keys that act once and then pause (the console
# keys 120 to 500 ms, Tab 400 ms): released within the pause, they act once.
e2e_press() {
    xdotool keydown "$1"
    sleep "${2:-0.1}"
    xdotool keyup "$1"
    sleep "${3:-0.3}"
}

# --- Reading the picture ---
# The game has no log, so the tests read its state off the
# screen with screen_probe: the HUD text by matching the game's own font,
# colour counts and picture differences. Overlay positions count y upward
# from the bottom row, as the game draws its text.
E2E_YELLOW=FFFF00   # HUD and progress text
E2E_WHITE=FFFFFF    # the console line

# Builds screen_probe into the scratch folder and sets E2E_PROBE.
e2e_build_probe() {
    local here root
    here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
    root=$(cd "$here/../.." && pwd)
    g++ -std=c++20 -O2 -I"$root" -o "$E2E_TMP/screen_probe" "$here/screen_probe.cpp" \
        "$root/render/font_big.cpp" -lX11 -lz -lpng || { e2e_log "cannot build screen_probe"; return 1; }
    E2E_PROBE="$E2E_TMP/screen_probe"
}

# True while the game started by e2e_start_game runs.
e2e_game_running() { [ -n "$E2E_GAME_PID" ] && kill -0 "$E2E_GAME_PID" 2>/dev/null; }

# Grabs the current GAME window into the PPM file $1. Fails quietly once the
# game has ended: the checks that follow say so.
e2e_grab() {
    local id
    e2e_game_running || return 1
    id=$(e2e_current_window)
    [ -n "$id" ] || { e2e_log "no GAME window to grab"; return 1; }
    "$E2E_PROBE" grab "$id" "$1"
}

# e2e_text FILE X Y COLOUR: the text drawn at overlay (X, Y) in COLOUR.
e2e_text() {
    "$E2E_PROBE" text "$1" "$2" "$3" "$4"
}

# The HUD lines of a grab: "SX=..,SY=..,SZ=.. mx=.. my=..", "Objective
# Number = found / total  MVD = n", and the banner.
e2e_position_line() { e2e_text "$1" 12 31 "$E2E_YELLOW"; }
e2e_objective_line() { e2e_text "$1" 12 46 "$E2E_YELLOW"; }
e2e_banner() { e2e_text "$1" 12 226 "$E2E_YELLOW"; }

# Prints "SX SY SZ" from the position line of a grab; fails if it cannot be read.
e2e_position() {
    e2e_position_line "$1" |
        sed -n 's/^SX=\(-\{0,1\}[0-9]\{1,\}\),SY=\(-\{0,1\}[0-9]\{1,\}\),SZ=\(-\{0,1\}[0-9]\{1,\}\) mx=[0-9]\{1,\} my=[0-9]\{1,\}$/\1 \2 \3/p' |
        grep .
}

# Prints "mx my" from the position line of a grab.
e2e_pointer() {
    e2e_position_line "$1" | sed -n 's/^SX=.* mx=\([0-9]\{1,\}\) my=\([0-9]\{1,\}\)$/\1 \2/p' | grep .
}

# Prints "found total mvd" from the objective line of a grab.
e2e_counts() {
    e2e_objective_line "$1" |
        sed -n 's/^Objective Number = \([0-9]\{1,\}\) \/ \([0-9]\{1,\}\)  MVD = \([0-9]\{1,\}\)$/\1 \2 \3/p' | grep .
}

# The latest grab, kept in the scratch folder.
e2e_now() { echo "$E2E_TMP/now.ppm"; }

# Grabs the window and reads the position as "SX SY SZ" into E2E_POS.
e2e_read_position() {
    E2E_POS=""
    e2e_grab "$(e2e_now)" || return 1
    E2E_POS=$(e2e_position "$(e2e_now)")
}

# Grabs the window and reads "found total mvd" into E2E_COUNTS.
e2e_read_counts() {
    E2E_COUNTS=""
    e2e_grab "$(e2e_now)" || return 1
    E2E_COUNTS=$(e2e_counts "$(e2e_now)")
}

e2e_position_not() { e2e_read_position && [ -n "$E2E_POS" ] && [ "$E2E_POS" != "$1" ]; }

# The position reads the same twice, 1 s apart (the player stands still).
e2e_position_settled() {
    local first
    e2e_read_position || return 1
    first=$E2E_POS
    sleep 1
    e2e_read_position && [ -n "$E2E_POS" ] && [ "$E2E_POS" = "$first" ]
}

# e2e_shows X Y TEXT: a fresh grab shows TEXT in yellow at overlay (X, Y).
e2e_shows() {
    e2e_grab "$(e2e_now)" && [ "$(e2e_text "$(e2e_now)" "$1" "$2" "$E2E_YELLOW")" = "$3" ]
}

E2E_BANNER=WIN32RUNKITSTONEGLOAMSR002   # the HUD's top line
e2e_banner_shown() { e2e_shows 12 226 "$E2E_BANNER"; }

# Keeps the latest grab as NAME.png in the scratch folder.
e2e_keep_shot() { "$E2E_PROBE" png "$(e2e_now)" "$E2E_TMP/$1.png"; }

# e2e_slot_op KEY WORD: presses F5..F8, where WORD is Saving or Loading, and
# checks the progress screens and the time the game stands still behind
# them (about 9 s: a dozen 200 ms steps for each volume, 2 s for each small
# file). Ends the test when the HUD does not come back.
e2e_slot_op() {
    local start=$SECONDS seconds
    e2e_press "$1" 0.3 0
    e2e_check_that "$1 shows the progress screen '$2 dungeon maps'" "not seen within 5 s" \
        e2e_until 5 e2e_shows 20 100 "$2 dungeon maps"
    e2e_until 30 e2e_banner_shown || e2e_fatal "$1: the game did not come back from the progress screens in 30 s"
    seconds=$((SECONDS - start))
    e2e_check_that "$1 holds the game behind its progress screens for about 9 s" "$seconds s" \
        e2e_between 7 20 "$seconds"
}

# e2e_between LOW HIGH VALUE: LOW <= VALUE <= HIGH, in whole numbers.
e2e_between() { [ "$3" -ge "$1" ] && [ "$3" -le "$2" ]; }

# e2e_until LIMIT_S CHECK [ARGS...]: runs CHECK again and again, 0.1 s
# apart, until it succeeds (status 0) or LIMIT_S seconds have passed or the
# game has ended (status 1).
e2e_until() {
    local end=$((SECONDS + $1))
    shift
    while :; do
        "$@" && return 0
        [ "$SECONDS" -lt "$end" ] || return 1
        [ -z "$E2E_GAME_PID" ] || e2e_game_running || return 1
        sleep 0.1
    done
}

# Puts the pointer on overlay pixel (mx, my) of the window at the origin at
# scale 2 or more ($3, default 2); mouse look then sets Yaw 20 - 2 mx and
# Pitch -my. The pointer lands in the middle of the overlay pixel, away from
# the rounding edges of the conversion from screen to overlay pixels.
e2e_point_overlay() {
    local scale=${3:-2}
    e2e_move_pointer $(( $1 * scale + scale / 2 )) $(( (240 - $2) * scale - scale / 2 ))
}

# Waits up to $1 seconds for the game to end; sets E2E_EXIT to its status,
# or to "running" when it did not end in time.
e2e_wait_exit() {
    local limit_tenths=$(( $1 * 10 )) waited=0
    while [ "$waited" -lt "$limit_tenths" ]; do
        if ! kill -0 "$E2E_GAME_PID" 2>/dev/null; then
            E2E_EXIT=0
            wait "$E2E_GAME_PID" || E2E_EXIT=$?
            E2E_GAME_PID=""
            return 0
        fi
        sleep 0.1
        waited=$((waited + 1))
    done
    E2E_EXIT=running
    return 1
}

# Notes on a failure that the game is gone, when it is.
_e2e_gone() {
    if [ -n "$E2E_GAME_PID" ] && ! e2e_game_running; then echo " (the game is no longer running)"; fi
}

# e2e_check NAME EXPECTED ACTUAL
e2e_check() {
    E2E_CHECKS=$((E2E_CHECKS + 1))
    if [ "$2" = "$3" ]; then
        echo "ok   $1"
    else
        echo "FAIL $1: expected '$2', got '$3'$(_e2e_gone)"
        E2E_FAILURES=$((E2E_FAILURES + 1))
    fi
}

# e2e_check_that NAME DETAIL COMMAND [ARGS...]: passes when COMMAND succeeds;
# a failure prints DETAIL (what was seen).
e2e_check_that() {
    local name=$1 detail=$2
    shift 2
    E2E_CHECKS=$((E2E_CHECKS + 1))
    if "$@"; then
        echo "ok   $name"
    else
        echo "FAIL $name: $detail$(_e2e_gone)"
        E2E_FAILURES=$((E2E_FAILURES + 1))
    fi
}

# Counts a failed step that later steps depend on, and ends the test.
e2e_fatal() {
    echo "FAIL $*$(_e2e_gone)"
    E2E_CHECKS=$((E2E_CHECKS + 1))
    E2E_FAILURES=$((E2E_FAILURES + 1))
    e2e_finish
}

# Replaces the run directory by a copy in the scratch folder, without any
# saved game, so that the test's saves touch neither the build nor each other.
e2e_fresh_run_dir() {
    cp -r "$E2E_RUN_DIR" "$E2E_TMP/run"
    E2E_RUN_DIR="$E2E_TMP/run"
    mkdir -p "$E2E_RUN_DIR/map"
    rm -f "$E2E_RUN_DIR"/map/SAVEGAME*
}

# Prints the closing line and exits with the result.
e2e_finish() {
    if [ "$E2E_FAILURES" -ne 0 ] && [ -n "$E2E_TMP" ] && [ -s "$E2E_TMP/game.log" ]; then
        echo "--- game output ---"
        tail -20 "$E2E_TMP/game.log"
    fi
    echo "$((E2E_CHECKS - E2E_FAILURES)) passed, $E2E_FAILURES failed"
    E2E_FINISHED=1
    [ "$E2E_FAILURES" -eq 0 ]
    exit $?
}

# --- The console ---
# The text of the console line after its "CMD:" prompt, read from a grab that
# shows the blinking cursor, so that a trailing space is seen too. Fails
# when no console line is drawn.
console_text() {
    local text now
    now=$(e2e_now)
    for _ in $(seq 1 60); do
        e2e_grab "$now" || return 1
        text=$(e2e_text "$now" 14 60 "$E2E_WHITE")
        case $text in
            CMD:*_) text=${text#CMD:}; echo "${text%_}"; return 0 ;;
            CMD:*) sleep 0.02 ;;   # the cursor is off in this frame
            *) return 1 ;;
        esac
    done
    return 1
}

# The xdotool key name that types the character $1 on a US layout; a test
# on another layout redefines it.
e2e_key_for() {
    case $1 in
        " ") echo space ;;
        *) echo "$1" ;;
    esac
}

# Types $1 into the open console. Each key is held shorter than its 120 ms
# pause, so it mostly types once; the line is read back after every key, and
# a key that typed twice or not at all is mended with Backspace or a retry.
# Sets TYPED_KEYS to the keys it took.
type_console() {
    local want=$1 line next
    TYPED_KEYS=0
    while [ "$TYPED_KEYS" -lt $(( ${#want} * 4 )) ]; do
        line=$(console_text) || return 1
        [ "$line" = "$want" ] && return 0
        if [[ $want == "$line"* ]]; then
            next=$(e2e_key_for "${want:${#line}:1}")
        else
            next=BackSpace
        fi
        e2e_press "$next" 0.06 0.2
        TYPED_KEYS=$((TYPED_KEYS + 1))
    done
    return 1
}
