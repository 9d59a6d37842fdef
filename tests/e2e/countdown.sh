#!/bin/bash
# The fifteen minutes run out without an answer: the farewell comes by itself, and a
# score of 0 is no record. libfaketime runs the program's clock (wall and monotonic)
# sixty times fast; it also shortens the program's poll() waits, which is what Qt's
# timers sleep in, so the quarter of an hour passes in about fifteen seconds.
# Usage: countdown.sh VELMORA_EXECUTABLE
. "$(dirname "$0")/lib.sh"
VELMORA=$1
command -v faketime >/dev/null 2>&1 || skip "faketime is not installed (tools/install-deps)"
e2e_start
dir=$(record_dir)

# Under faketime the program's clock runs ahead, and fontconfig, taking the font caches
# for stale, would rewrite the machine's own caches with times in the future, which every
# program started after it then rejects and rebuilds. Its caches go to the test's folder.
cat >"$E2E_WORK/fonts.conf" <<EOF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <cachedir>$E2E_WORK/fontconfig-cache</cachedir>
  <include ignore_missing="yes">/etc/fonts/fonts.conf</include>
</fontconfig>
EOF
export FONTCONFIG_FILE="$E2E_WORK/fonts.conf"

# In a sanitizer build the preloaded libfaketime comes before the sanitizer's runtime,
# which is harmless here; tell the sanitizer so.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0"
app_begin Mario faketime -f "+0 x60"
started=$(now_ms)
# Not before 14 of the 15 minutes (14 s here) ...
expect_no_window '^Data ' 14000
app_running || fail "the program ended during the countdown"
# ... and within 15 minutes and a few seconds.
wait_window '^Data ' 8000
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
