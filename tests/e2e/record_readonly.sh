#!/bin/bash
# A teacher's set-up: a record folder the player may not write into, holding record files
# the player may write. Played by a user who is not root (root ignores permissions), a new
# record rewrites the two files in place and is confirmed; where the player may write
# neither the folder nor the files, the save is refused ("Autorizzazione negata") and the
# files stay as they were.
# Usage: record_readonly.sh RECORDGAME
set -u
game=$1

fail() { printf 'FAIL: %s\n' "$*" >&2; exit 1; }
note() { printf '%s\n' "$*" >&2; }
work=$(mktemp -d "${TMPDIR:-/tmp}/record-readonly.XXXXXX") || fail "no temporary folder"
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
chmod 711 "$work"

# The player: nobody, when the test runs as root; else the user running it.
player=()
[ "$(id -u)" -eq 0 ] && player=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
as_player_own() { [ "$(id -u)" -eq 0 ] && chown -R nobody:nogroup "$@"; }

home="$work/player"
mkdir -p "$home" && mkdir -m 700 "$home/runtime" && as_player_own "$home"
dir="$work/school/Corvane/Velmora"
mkdir -p "$dir"

# Usage: play NAME SCORE: a game that ends with a new record; its status in STATUS.
play() {
    echo 0 | env HOME="$home" XDG_DATA_HOME="$work/school" XDG_RUNTIME_DIR="$home/runtime" \
        QT_QPA_PLATFORM=offscreen LANG=it_IT.UTF-8 "${player[@]}" "$game" save "$1" "$2" \
        >"$work/out" 2>"$work/err"
    STATUS=$?
}
holds() { # SCORE NAME
    printf '%s\r\n' "$1" | cmp -s - "$dir/figX.txt" && printf '%s\r\n' "$2" | cmp -s - "$dir/nfigX.txt"
}
only_the_record_files() { [ "$(ls -A "$dir" | tr '\n' ' ')" = "figX.txt nfigX.txt " ]; }

# The files are the player's to write; the folder is not.
printf '5\r\n' >"$dir/figX.txt"
printf 'Old\r\n' >"$dir/nfigX.txt"
as_player_own "$dir/figX.txt" "$dir/nfigX.txt"
chmod 555 "$dir"
play Bruno 7
[ "$STATUS" -eq 0 ] && grep -qx saved "$work/out" ||
    fail "writable files in a read-only folder: status $STATUS, $(tr '\n' ' ' <"$work/err")"
holds 7 Bruno || fail "the files hold '$(od -An -c "$dir/figX.txt")' and '$(od -An -c "$dir/nfigX.txt")'"
only_the_record_files || fail "the folder holds $(ls -A "$dir" | tr '\n' ' ')"
note "writable files in a read-only folder: the record is saved in place"

# Neither the folder nor the files are the player's to write.
chmod 444 "$dir/figX.txt" "$dir/nfigX.txt"
play Carla 9
[ "$STATUS" -eq 1 ] && grep -q "Errore di run-time '70'" "$work/err" ||
    fail "read-only files in a read-only folder: status $STATUS, $(tr '\n' ' ' <"$work/err")"
holds 7 Bruno || fail "the read-only files were changed"
only_the_record_files || fail "the folder holds $(ls -A "$dir" | tr '\n' ' ')"
note "read-only files in a read-only folder: the save is refused, the record kept"
