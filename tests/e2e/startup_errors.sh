#!/bin/bash
# A record folder that cannot be made, and a record file that is a folder: the name prompt
# and the greeting come first, then the program shows its run-time error box and ends with
# a non-zero status; its main window never shows.
# Usage: startup_errors.sh VELMORA_EXECUTABLE
. "$(dirname "$0")/lib.sh"
VELMORA=$1
e2e_start

# Every box is titled "Velmora"; from outside they differ in what they hold. The prompt is
# the box that takes the name: the greeting that follows carries it, so a longer name gives
# a wider greeting. GREETING_WIDTH is that width. (Names without blanks: a blank typed
# into a message box would press its button.)
# Usage: expect_startup_error DESCRIPTION NAME
expect_startup_error() {
    FORBIDDEN_TITLE='^Tarvino'
    app_start
    wait_window '^Velmora$' "$E2E_START_MS"           # Come ti chiami?
    wait_active "$WIN"
    xdotool type --delay 2 "$2"
    xdotool key Return
    wait_gone "$WIN"
    wait_window '^Velmora$'                           # the greeting
    GREETING_WIDTH=$(window_width "$WIN")
    press_return "$WIN"
    wait_window '^Velmora$'                           # Errore di run-time
    press_return "$WIN"
    expect_no_window . 3000
    app_wait_exit 2000
    FORBIDDEN_TITLE=""
    [ "$APP_STATUS" -ne 0 ] || fail "$1: exit status 0, expected an error status"
    note "$1: a greeting $GREETING_WIDTH px wide for '$2', then the error box; exit status $APP_STATUS"
}
window_width() { xwininfo -id "$1" | sed -n 's/^ *Width: *//p'; }

# The data folder lies below a regular file.
printf 'x' >"$E2E_WORK/afile"
XDG_DATA_HOME="$E2E_WORK/afile/data" expect_startup_error "record folder below a file" Ugo
[ "$(cat "$E2E_WORK/afile")" = x ] || fail "the file in the way was changed"
short=$GREETING_WIDTH

# The score file is a folder: nothing else is made in the record folder.
dir=$(record_dir)
mkdir -p "$dir/figX.txt"
expect_startup_error "score file that is a folder" Pierfrancescomaria
[ -d "$dir/figX.txt" ] && [ -z "$(ls -A "$dir/figX.txt")" ] || fail "the folder figX.txt was changed"
[ "$(ls -A "$dir")" = figX.txt ] || fail "left in the record folder: $(ls -A "$dir" | tr '\n' ' ')"

# Fifteen more letters make the greeting some 100 pixels wider.
[ "$GREETING_WIDTH" -gt $((short + 40)) ] ||
    fail "the second box is $short px wide after 'Ugo' and $GREETING_WIDTH px after a longer name: it is not the greeting of the name typed into the first"
