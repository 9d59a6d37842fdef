#!/bin/bash
# Games sharing one record folder, each a real process (recordgame), on a slow disk: every
# sync, link and rename takes SLOW ms longer, so that the moments between the steps of a
# save are wide. Over offsets that sweep across the save:
#   together  two games save a new record at the same time;
#   starting  one game saves while another starts;
#   linked    two games with record folders of their own, whose record files link into
#             one shared folder, save at the same time (one disk slower than the other);
#   killed    one game is killed (SIGKILL) while it saves, then another starts.
# Every run must end with the old pair or one of the new pairs whole, and nothing but the
# two record files in the folder. Every save that is not killed must be confirmed; the
# killed runs must leave both the old and the new pair, or the kills missed the save.
# Usage: record_race.sh RECORDGAME
set -u
game=$1
SLOW=15

fail() { printf 'FAIL: %s\n' "$*" >&2; exit 1; }
note() { printf '%s\n' "$*" >&2; }
now_ms() { local t=${EPOCHREALTIME/[.,]/}; echo $((t / 1000)); }
work=$(mktemp -d "${TMPDIR:-/tmp}/record-race.XXXXXX") || fail "no temporary folder"
trap 'rm -rf "$work"' EXIT
mkfifo "$work/never" && exec {never}<>"$work/never"
# Sleeps until the moment MS (ms since the epoch) without starting a process.
sleep_until() {
    local left=$(($1 - $(now_ms))) t
    [ "$left" -gt 0 ] || return 0
    printf -v t '%d.%03d' $((left / 1000)) $((left % 1000))
    read -r -t "$t" -u "$never" || true
}

export XDG_DATA_HOME="$work/data" QT_QPA_PLATFORM=offscreen
dir="$XDG_DATA_HOME/Corvane/Velmora"
mkdir -p "$dir"


seed() {
    rm -f "$dir"/* "$dir"/.[!.]*
    printf '5\r\n' >"$dir/figX.txt"
    printf 'Old\r\n' >"$dir/nfigX.txt"
}
holds() { # SCORE NAME: the folder holds exactly this pair
    printf '%s\r\n' "$1" | cmp -s - "$dir/figX.txt" && printf '%s\r\n' "$2" | cmp -s - "$dir/nfigX.txt"
}
outcome() {
    if holds 5 Old; then echo old
    elif holds 6 Anna; then echo Anna
    elif holds 7 Bruno; then echo Bruno
    else echo "MIXED: figX.txt '$(od -An -c "$dir/figX.txt" | tr -s ' ')', nfigX.txt '$(od -An -c "$dir/nfigX.txt" | tr -s ' ')'"
    fi
}
leftovers() { ls -A "$dir" | grep -v -x -e figX.txt -e nfigX.txt | tr '\n' ' '; }

# Starts a game in the background (its pid in PID) and waits until it is ready for its
# moment. Usage: game ID start|save NAME SCORE
declare -A moment_fd
game() {
    local id=$1 fd deadline=$(($(now_ms) + 20000))
    shift
    rm -f "$work/$id.in" && mkfifo "$work/$id.in"
    env VELMORA_SLOW_DISK_MS=$SLOW "${GAME_ENV[@]}" "$game" "$@" <"$work/$id.in" >"$work/$id.out" 2>"$work/$id.err" &
    PID=$!
    exec {fd}>"$work/$id.in"
    moment_fd[$id]=$fd
    until grep -qx ready "$work/$id.out"; do
        kill -0 "$PID" 2>/dev/null || fail "game $id ended before it was ready: $(said "$id")"
        [ "$(now_ms)" -lt "$deadline" ] || fail "game $id was not ready within 20 s"
        sleep_until $(($(now_ms) + 5))
    done
}
# Gives a ready game its moment. Usage: go ID MOMENT
go() {
    local fd=${moment_fd[$1]}
    echo "$2" >&"$fd"
    exec {fd}>&-
}
# A moment a little ahead, when both games have been given theirs.
soon() { echo $(($(now_ms) + 20)); }
confirmed() { grep -qx saved "$work/$1.out"; }
said() { tr '\n' ' ' <"$work/$1.err"; }

faults=""
fault() { faults="$faults
  $*"; }
check_run() { # DESCRIPTION ALLOWED-OUTCOMES...; the outcome in GOT
    local what=$1 left
    shift
    GOT=$(outcome)
    left=$(leftovers)
    case " $* " in *" $GOT "*) ;; *) fault "$what: the record ended $GOT (allowed: $*)" ;; esac
    [ -z "$left" ] || fault "$what: left in the record folder: $left"
    note "$what: $GOT"
}

offsets="-60 -20 0 20 40 60 90 120 160 200 250"

# Anna and Bruno save a new record, Bruno D ms after Anna. ANNA_ENV and BRUNO_ENV (lists
# of VAR=VALUE) are added to each game's environment. Usage: save_together D
ANNA_ENV=() BRUNO_ENV=() GAME_ENV=()
save_together() {
    local a b sa sb
    seed
    GAME_ENV=("${ANNA_ENV[@]}"); game a save Anna 6; a=$PID
    GAME_ENV=("${BRUNO_ENV[@]}"); game b save Bruno 7; b=$PID
    GAME_ENV=()
    at=$(soon); go a "$at"; go b $((at + $1))
    wait "$a"; sa=$?
    wait "$b"; sb=$?
    [ "$sa" -eq 0 ] && confirmed a || fault "$what: Anna's save was not confirmed (status $sa: $(said a))"
    [ "$sb" -eq 0 ] && confirmed b || fault "$what: Bruno's save was not confirmed (status $sb: $(said b))"
    check_run "$what" Anna Bruno
}

for d in $offsets; do
    what="together, Bruno ${d} ms after Anna"
    save_together "$d"
done

for d in $offsets; do
    what="starting, ${d} ms after Anna's save"
    seed
    game a save Anna 6; a=$PID
    game b start Carla 0; b=$PID
    at=$(soon); go a "$at"; go b $((at + d))
    wait "$a"; sa=$?
    wait "$b"; sb=$?
    [ "$sa" -eq 0 ] && confirmed a || fault "$what: Anna's save was not confirmed (status $sa: $(said a))"
    [ "$sb" -eq 0 ] || fault "$what: the start-up failed (status $sb: $(said b))"
    check_run "$what" Anna
done

# Pupils with record folders of their own whose record files link into one shared folder
# (a class's record): their saves must not mix either, and the links stay. Anna's disk is
# slow and Bruno's fast, so that Bruno's whole save can fall between two steps of hers.
own_a="$work/data-a/Corvane/Velmora" own_b="$work/data-b/Corvane/Velmora"
mkdir -p "$own_a" "$own_b"
for f in figX.txt nfigX.txt; do ln -s "$dir/$f" "$own_a/$f"; ln -s "$dir/$f" "$own_b/$f"; done
ANNA_ENV=(XDG_DATA_HOME="$work/data-a" VELMORA_SLOW_DISK_MS=60)
BRUNO_ENV=(XDG_DATA_HOME="$work/data-b" VELMORA_SLOW_DISK_MS=2)
# Anna's save renames the pair some 500 ms after its start: the offsets sweep across that.
for d in 0 200 400 440 460 480 500 520 540 560 600 800; do
    what="linked, Bruno ${d} ms after Anna"
    save_together "$d"
    for own in "$own_a" "$own_b"; do
        [ -L "$own/figX.txt" ] && [ -L "$own/nfigX.txt" ] || fault "$what: the links in $own were replaced"
        [ "$(ls -A "$own" | tr '\n' ' ')" = "figX.txt nfigX.txt " ] || fault "$what: left in $own: $(ls -A "$own" | tr '\n' ' ')"
    done
done
ANNA_ENV=() BRUNO_ENV=()

old=0 new=0
for d in $offsets; do
    [ "$d" -ge 0 ] || continue
    what="killed ${d} ms into Anna's save"
    seed
    game a save Anna 6; a=$PID
    at=$(soon); go a "$at"
    sleep_until $((at + d))
    kill -KILL "$a" 2>/dev/null
    wait "$a" 2>/dev/null
    game b start Carla 0; b=$PID
    go b 0
    wait "$b"; sb=$?
    [ "$sb" -eq 0 ] || fault "$what: the next start-up failed (status $sb: $(said b))"
    check_run "$what" old Anna
    case $GOT in old) old=$((old + 1)) ;; Anna) new=$((new + 1)) ;; esac
done
[ "$old" -gt 0 ] || fault "no kill left the old pair: every kill came after the save"
[ "$new" -gt 0 ] || fault "no kill left the new pair: no save was ever done"

note "in $SECONDS s"
[ -z "$faults" ] || fail "games sharing the record folder:$faults"
