#!/bin/bash
# The fifteen minutes run out without an answer: the farewell comes by itself, and a
# score of 0 is no record. libfaketime runs the program's clock (wall and monotonic)
# sixty times fast; it also shortens the program's poll() waits, which is what Qt's
# timers sleep in, so the quarter of an hour passes in about fifteen seconds.
# Usage: countdown.sh VELMORA_EXECUTABLE
. "$(dirname "$0")/lib.sh"
VELMORA=$1
e2e_start
dir=$(record_dir)

fast_clock_setup
app_begin Mario faketime -f "+0 x60"
started=$(now_ms)
# Not before 13 of the 15 minutes (13 s here): the clock starts a little before the window
# is seen, and a second of Qt's timers may come up to 5 % early ...
expect_no_window '^Data ' 13000
app_running || fail "the program ended during the countdown"
# ... and within 15 minutes and a few seconds, or some more under load.
wait_window '^Data ' 10000
elapsed=$(($(now_ms) - started))
title=$(window_title "$WIN")
[[ $title =~ ^Data\ [0-3][0-9]/[01][0-9]/[0-9][0-9]$ ]] || fail "farewell titled '$title'"
press_return "$WIN"
expect_no_window '^Velmora$' 3000
app_wait_exit 2000
[ "$APP_STATUS" -eq 0 ] || fail "exit status $APP_STATUS, expected 0"
for f in figX.txt nfigX.txt; do
    [ -f "$dir/$f" ] && [ ! -s "$dir/$f" ] || fail "$f is not an empty file: $(od -An -c "$dir/$f" 2>&1)"
done
note "the countdown ran out $elapsed ms after the window showed (x60: 900 s in 15000 ms)"
