#!/bin/bash
# A new record is saved, and the program is killed (SIGKILL) at moments spread over the
# save. The next run of the program must find the old pair or the new pair in full, never
# a score with the wrong name, never a cut or empty file: a kill between the two renames
# leaves a journal, and the next run finishes the save before it reads the record. After
# that run the folder holds the two record files and nothing else.
# Usage: kill.sh VELMORA_EXECUTABLE [PART/PARTS]
#   PART/PARTS (e.g. 1/2): only every PARTS-th case from the PART-th, so that the runs can
#   be shared out among tests that run side by side.
. "$(dirname "$0")/lib.sh"
VELMORA=$1
share=${2:-1/1}
e2e_start
dir=$(record_dir)
mkdir -p "$dir"
since="$E2E_WORK/seeded"

# The moments of the save, seen from outside with shell built-ins only (no process is
# started, so each look takes microseconds). The save has started once anything but the
# two record files appears in the folder (a staged copy, a journal, a lock); whatever
# earlier kills left is known beforehand and does not count.
shopt -s nullglob dotglob
declare -A known
new_entry() { local f; for f in "$@"; do [ -e "$f" ] && [ -z "${known[$f]:-}" ] && return 0; done; return 1; }
staged() {
    local f
    for f in "$dir"/*; do
        case ${f##*/} in figX.txt | nfigX.txt) ;; *) new_entry "$f" && return 0 ;; esac
    done
    return 1
}
name_staged() { new_entry "$dir"/*nfigX.txt?*; }
score_replaced_only() { [ "$dir/figX.txt" -nt "$since" ] && ! [ "$dir/nfigX.txt" -nt "$since" ]; }

# Waits, by busy looking, until CONDITION holds or 2 s pass. Usage: until_seen CONDITION
until_seen() {
    local deadline=$(( ${EPOCHREALTIME/[.,]/} + 2000000 ))
    until "$1"; do
        [ "${EPOCHREALTIME/[.,]/}" -lt "$deadline" ] || return 1
    done
}

# Each case: when to kill. "save+N": N ms after the save has started (something new is in
# the record folder), which comes right after the program has taken the Return; the
# save itself lasts a few ms (two fsync'd files, two renames). The others: as soon as
# that moment of the save is seen. A share takes every PARTS-th: early and late ones.
cases=(save+0 save+0 save+1 save+1 save+2 save+3 save+4 save+5 save+6 save+7 save+8 save+10
       save+12 save+15 save+40 save+150
       name_staged score_replaced_only score_replaced_only score_replaced_only)

old=0 new=0 run=0 faults=""
for ((i = ${share%/*} - 1; i < ${#cases[@]}; i += ${share#*/})); do
    when=${cases[i]}
    run=$((run + 1))
    name="Giocatore$run"
    printf '0\r\n' >"$dir/figX.txt"
    printf 'Old\r\n' >"$dir/nfigX.txt"
    touch -d '1 minute ago' "$dir/figX.txt" "$dir/nfigX.txt" "$since"
    known=()
    for f in "$dir"/*; do known[$f]=1; done

    app_begin "$name"
    wait_note
    click_answer "$NOTE"
    wait_window '^Velmora$'; press_return "$WIN"      # Bravo è esatto
    choose_exit
    wait_window '^Data '
    wait_active "$WIN"
    # Only the press, and from the background: xdotool ends a few ms after the program has
    # taken it, so the watching starts at once. The release follows once the program is dead.
    xdotool keydown --delay 0 Return &
    key_pid=$!
    case $when in
        save+*) until_seen staged || note "run $run: the save was not seen to start"
                pause_ms "${when#save+}" ;;
        *) until_seen "$when" || note "run $run: the moment $when was not seen" ;;
    esac
    app_kill
    wait "$key_pid"
    xdotool keyup Return

    # The next run reads the record; closing its window ends it without saving.
    app_begin "Dopo$run"
    xdotool key alt+F4   # the window manager closes the window
    app_wait_exit 5000

    fig=$(od -An -c "$dir/figX.txt" | tr -s ' ')
    nfig=$(od -An -c "$dir/nfigX.txt" | tr -s ' ')
    if printf '0\r\n' | cmp -s - "$dir/figX.txt" && printf 'Old\r\n' | cmp -s - "$dir/nfigX.txt"; then
        old=$((old + 1)); outcome=old
    elif printf '1\r\n' | cmp -s - "$dir/figX.txt" && printf '%s\r\n' "$name" | cmp -s - "$dir/nfigX.txt"; then
        new=$((new + 1)); outcome=new
    else
        outcome="a MIXED OR CUT"
        faults="$faults
  run $run, killed at $when: figX.txt '$fig', nfigX.txt '$nfig'"
    fi
    left=$(ls -A "$dir" | grep -v -x -e figX.txt -e nfigX.txt | tr '\n' ' ')
    [ -z "$left" ] || fail "killed at $when (run $run): '$left' left in the record folder after the next run"
    note "run $run, killed at $when: $outcome pair"
done
note "$run kills: $old old pairs, $new new pairs, in $SECONDS s"
[ -z "$faults" ] || fail "the record files were left neither old nor new:$faults"
# Both outcomes must occur, or the kills did not fall across the save: no new pair means
# no save ever completed, no old pair that every kill came after it.
[ "$new" -gt 0 ] || fail "no run left the new pair: the record was never saved"
[ "$old" -gt 0 ] || fail "no run left the old pair: no kill came before the save was done"
