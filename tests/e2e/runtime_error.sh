#!/bin/bash
# A run-time error ends the program, however long its box stays open: behind it no
# countdown runs on to a farewell, and closing it ends the program with status 1. The
# program's clock runs 120 times fast (libfaketime: 15 minutes in 7.5 s), and the box
# stays open for longer than a whole game, once at start-up and once at the end of a
# game whose record cannot be saved.
# Usage: runtime_error.sh VELMORA_EXECUTABLE
. "$(dirname "$0")/lib.sh"
VELMORA=$1
e2e_start
fast_clock_setup
dir=$(record_dir)
FAST=(faketime -f "+0 x120")
BOX_OPEN_MS=10000   # 20 minutes of the program's clock


# The error box is WIN: nothing else shows while it stays open, the program waits for
# it, and closing it ends the program with status 1.
# Usage: error_box_holds DESCRIPTION
error_box_holds() {
    local opened
    opened=$(now_ms)
    expect_no_window . "$BOX_OPEN_MS"
    app_running || fail "$1: the program ended while its error box was open"
    press_return "$WIN"
    expect_no_window . 3000
    app_wait_exit 2000
    [ "$APP_STATUS" -eq 1 ] || fail "$1: exit status $APP_STATUS, expected 1"
    note "$1: error box open $(($(now_ms) - opened)) ms (x120), exit status 1"
}

# --- At start-up: the score file is a folder. The countdown has started before the
# record files are opened.
mkdir -p "$dir/figX.txt"
app_start "${FAST[@]}"
wait_window '^Velmora$' "$E2E_START_MS"            # Come ti chiami?
wait_active "$WIN"
xdotool type --delay 2 Mario
xdotool key Return
wait_gone "$WIN"
wait_window '^Velmora$'; press_return "$WIN"      # the greeting
wait_window '^Velmora$'                           # Errore di run-time
error_box_holds "at start-up"
rmdir "$dir/figX.txt"; rm -f "$dir/nfigX.txt"

# --- At the end of a game: one right answer, then the score file becomes a folder and
# the countdown ends the game; the record cannot be saved.
app_begin Mario "${FAST[@]}"
wait_note
click_answer "$NOTE"
wait_window '^Velmora$'; press_return "$WIN"      # Bravo è esatto
rm "$dir/figX.txt" && mkdir "$dir/figX.txt"
wait_window '^Data ' 15000                        # the farewell, when the clock runs out
press_return "$WIN"
wait_window '^Velmora$'                           # Errore di run-time
error_box_holds "at the end of a game"
[ -z "$(ls -A "$dir/figX.txt")" ] || fail "something was written into the folder figX.txt"
