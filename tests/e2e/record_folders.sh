#!/bin/bash
# Folder names as homes and schools have them, which are the system's and no concern of
# Windows path rules: the program, with its sounds, in a folder whose names end in a dot
# and hold a backslash, and its data folder likewise. The first note and the wrong-answer
# cue play from the program's folder, the record is shown and saved in the data folder,
# and no other folder is made.
# Usage: record_folders.sh VELMORA_EXECUTABLE
. "$(dirname "$0")/lib.sh"
built=$1
e2e_start

program="$E2E_WORK/j.r./a\\b."
mkdir -p "$program"
cp -r "$(dirname "$built")"/velmora "$(dirname "$built")"/suoni "$(dirname "$built")"/[1-7].wav "$program"/ ||
    fail "cannot copy the program"
VELMORA="$program/velmora"
export XDG_DATA_HOME="$E2E_WORK/dotend./x\\y"
dir=$(record_dir)
mkdir -p "$dir"
printf '0\r\n' >"$dir/figX.txt"
printf 'Old\r\n' >"$dir/nfigX.txt"
before=$(cd "$E2E_WORK" && find . -path ./runtime -prune -o -print | sort)

app_begin Mario
wait_note; asked=$NOTE
wait_sounds 0 1
[ "$SOUNDS" = "suoni/${asked}A.wav" ] || fail "at start, sounds: $SOUNDS"
grep -qF "$program/suoni/${asked}A.wav" "$E2E_WORK/sounds.log" || fail "the note came from elsewhere: $(cat "$E2E_WORK/sounds.log")"

started=$(sounds_started)
click_answer $((asked % 7 + 1))
wait_window '^Velmora$'; press_return "$WIN"          # HAI SBAGLIATO
wait_sounds "$started" 1
[ "$SOUNDS" = suoni/no.wav ] || fail "after a wrong answer, sounds: $SOUNDS (expected suoni/no.wav)"

click_answer "$asked"
wait_window '^Velmora$'; press_return "$WIN"          # Bravo è esatto
choose_exit
wait_window '^Data '; press_return "$WIN"
wait_window '^Velmora$'; press_return "$WIN"          # Ok ho registrato il tuo record
app_wait_exit 5000
[ "$APP_STATUS" -eq 0 ] || fail "exit status $APP_STATUS after a record, expected 0"
printf '1\r\n' | cmp -s - "$dir/figX.txt" && printf 'Mario\r\n' | cmp -s - "$dir/nfigX.txt" ||
    fail "the record folder holds '$(od -An -c "$dir/figX.txt")' and '$(od -An -c "$dir/nfigX.txt")'"
after=$(cd "$E2E_WORK" && find . -path ./runtime -prune -o -print | sort)
made=$(comm -13 <(echo "$before") <(echo "$after") | grep -v -e '^\./home' -e '^\./tmp' -e '^\./config' -e '^\./cache' \
       -e '^\./app[0-9]*\.err$' -e '\.log$' | tr '\n' ' ')
[ -z "$made" ] || fail "made elsewhere: $made"
note "a game in odd folders, in $SECONDS s"
