#!/bin/bash
# A whole game that sets a record, then a second game in the same data folder that only
# ties it: the tie must not replace the record.
# Usage: record.sh VELMORA_EXECUTABLE
. "$(dirname "$0")/lib.sh"
VELMORA=$1
e2e_start
dir=$(record_dir)

# Exact bytes of a file, readable in a message.
bytes() { od -An -c "$1" | tr -s ' '; }
expect_bytes() { # FILE PRINTF-FORMAT
    printf "$2" | cmp -s - "$1" || fail "${1##*/} holds '$(bytes "$1")', expected '$(printf "$2" | od -An -c | tr -s ' ')'"
}
farewell_title_ok() { # the short Italian date of today (or of a midnight just passed)
    case "$1" in "Data $2" | "Data $(date +%d/%m/%y)") return 0 ;; esac
    return 1
}

# --- Mario: one wrong answer, one right, then Esci: a new record.
app_begin Mario
wait_note; asked=$NOTE
wait_sounds 0 1
[ "$SOUNDS" = "suoni/${asked}A.wav" ] || fail "at start, sounds: $SOUNDS"

started=$(sounds_started)
click_answer $((asked % 7 + 1))
wait_window '^Velmora$'; press_return "$WIN"          # HAI SBAGLIATO
wait_sounds "$started" 1
[ "$SOUNDS" = suoni/no.wav ] || fail "after a wrong answer, sounds: $SOUNDS (expected suoni/no.wav only)"

started=$(sounds_started)
click_answer "$asked"
wait_window '^Velmora$'; press_return "$WIN"          # Bravo è esatto
wait_sounds "$started" 1
[[ $SOUNDS =~ ^suoni/[1-7]A\.wav$ ]] || fail "after a right answer, sounds: $SOUNDS (expected the next note only)"

today=$(date +%d/%m/%y)
choose_exit
wait_window '^Data '
farewell_title_ok "$(window_title "$WIN")" "$today" || fail "farewell titled '$(window_title "$WIN")'"
expect_bytes "$dir/figX.txt" ''                       # nothing is written before the farewell closes
press_return "$WIN"
wait_window '^Velmora$'                               # Ok ho registrato il tuo record
expect_bytes "$dir/figX.txt" '1\r\n'
expect_bytes "$dir/nfigX.txt" 'Mario\r\n'
press_return "$WIN"
app_wait_exit 5000
[ "$APP_STATUS" -eq 0 ] || fail "exit status $APP_STATUS after a record, expected 0"
expect_bytes "$dir/figX.txt" '1\r\n'
expect_bytes "$dir/nfigX.txt" 'Mario\r\n'
ls -A "$dir" | grep -qv '^n\?figX\.txt$' && fail "left in the record folder: $(ls -A "$dir" | tr '\n' ' ')"

# --- Luisa: one right answer, a score of 1 against the stored 1: no record.
app_begin Luisa
wait_note
started=$(sounds_started)
click_answer "$NOTE"
wait_window '^Velmora$'; press_return "$WIN"          # Bravo è esatto
wait_sounds "$started" 1
[[ $SOUNDS =~ ^suoni/[1-7]A\.wav$ ]] || fail "after a right answer, sounds: $SOUNDS (expected the next note only)"
choose_exit
wait_window '^Data '
wait_active "$WIN"
xdotool key Return
expect_no_window '^Velmora$' 3000                     # no confirmation: the program just ends
app_wait_exit 2000
[ "$APP_STATUS" -eq 0 ] || fail "exit status $APP_STATUS after a tie, expected 0"
expect_bytes "$dir/figX.txt" '1\r\n'
expect_bytes "$dir/nfigX.txt" 'Mario\r\n'
note "two games played in $SECONDS s"
