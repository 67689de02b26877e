# Settings that stay, with the real binary and its real settings folder: F3
# is kept for the next start, then F11. (The options that win over the file
# for one run, and write nothing, are SettingsTest's.)
# Usage: test_settings.sh GAME_BINARY RUN_DIR
source "$(dirname "${BASH_SOURCE[0]}")/driver.sh"

e2e_setup "$1" "$2"
FILE="$XDG_CONFIG_HOME/voxel-dungeon/settings.ini"

# e2e_first_window WHAT GEOMETRY [OPTIONS...]: a start whose first window has that geometry.
e2e_first_window() {
    local what=$1 want=$2 win
    shift 2
    e2e_stop_game
    e2e_start "$@"
    e2e_focus 30 || exit 1
    win=$(e2e_window)
    e2e_check "$what" "$want" "$(e2e_geometry "$win")"
}

e2e_first_window "no settings file: 640 x 480 at the origin" "0 0 640 480"
e2e_wait_running 60 || exit 1
e2e_hold_until F3 5 e2e_window_is "0 0 960 720"
e2e_check "F3 is written at once" "scale=3" "$(grep '^scale=' "$FILE")"

e2e_first_window "the next start keeps F3" "0 0 960 720"
e2e_wait_running 60 || exit 1
e2e_press F11 0.1 0.2
e2e_until 5 e2e_window_is "0 0 1600 1200"
e2e_first_window "after F11 the next start is fullscreen" "0 0 1600 1200"
e2e_stop_game

e2e_finish
