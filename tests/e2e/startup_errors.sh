#!/bin/bash
# A record folder that cannot be made, and a record file that is a folder: after the
# name and the greeting the program shows its run-time error box and ends with a
# non-zero status, and its main window never shows.
# Usage: startup_errors.sh VELMORA_EXECUTABLE
. "$(dirname "$0")/lib.sh"
VELMORA=$1
e2e_start

# Usage: expect_startup_error DESCRIPTION
expect_startup_error() {
    FORBIDDEN_TITLE='^Tarvino'
    app_start
    wait_window '^Velmora$' 10000
    wait_active "$WIN"
    xdotool type --delay 2 Mario
    xdotool key Return
    wait_gone "$WIN"
    wait_window '^Velmora$'; press_return "$WIN"      # the greeting
    wait_window '^Velmora$'                           # Errore di run-time
    press_return "$WIN"
    expect_no_window . 3000
    app_wait_exit 2000
    FORBIDDEN_TITLE=""
    [ "$APP_STATUS" -ne 0 ] || fail "$1: exit status 0, expected an error status"
    note "$1: error box, exit status $APP_STATUS"
}

# The data folder lies below a regular file.
printf 'x' >"$E2E_WORK/afile"
XDG_DATA_HOME="$E2E_WORK/afile/data" expect_startup_error "record folder below a file"
[ "$(cat "$E2E_WORK/afile")" = x ] || fail "the file in the way was changed"

# The score file is a folder: nothing else is made in the record folder.
dir=$(record_dir)
mkdir -p "$dir/figX.txt"
expect_startup_error "score file that is a folder"
[ -d "$dir/figX.txt" ] && [ -z "$(ls -A "$dir/figX.txt")" ] || fail "the folder figX.txt was changed"
[ "$(ls -A "$dir")" = figX.txt ] || fail "left in the record folder: $(ls -A "$dir" | tr '\n' ' ')"
