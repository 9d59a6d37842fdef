# The driver of the end-to-end tests, sourced by each test script (bash).
#
# e2e_start builds a private desktop (tests/support/desktop.sh): a temporary folder that
# holds HOME and the XDG folders, an Xvfb server on a display it picks itself, openbox, and
# a PulseAudio server whose only sink is a null sink. Everything is stopped and removed on
# exit, also when a check fails or the test is interrupted. Every wait has a time-out, so
# that a test fails instead of hanging, and every failure says why on stderr.
#
# The program is driven as a pupil drives it: through the X server (xdotool), and by
# listening to what it plays (the PulseAudio streams and the files they play).

E2E_SKIP=77   # CTest's skip code: only for a desktop that cannot start on this machine
# How long the program may take to show its first window, and its main window: a sanitizer
# build beside other tests, each with its own X server, can take many seconds.
E2E_START_MS=30000

. "$(dirname "${BASH_SOURCE[0]}")/../support/desktop.sh"

fail() {
    printf 'FAIL: %s\n' "$*" >&2
    # What the program said, and which windows were up, help to tell why.
    if [ -n "${E2E_WORK:-}" ]; then
        for f in "$E2E_WORK"/app*.err; do [ -s "$f" ] && { echo "--- $f" >&2; tail -n 20 "$f" >&2; }; done
        [ -n "${DISPLAY:-}" ] && xdotool search --onlyvisible --name . 2>/dev/null | while read -r w; do
            echo "window $w: $(xdotool getwindowname "$w" 2>/dev/null)" >&2; done
    fi
    exit 1
}
skip() { printf 'SKIP: %s\n' "$*" >&2; exit "$E2E_SKIP"; }
note() { printf '%s\n' "$*" >&2; }

now_ms() { local t=${EPOCHREALTIME/[.,]/}; echo $((t / 1000)); }

# Sleeps without starting a process (not even a subshell), so that short waits keep to
# the millisecond.
# Usage: pause_ms MS
pause_ms() {
    local t
    [ "$1" -gt 0 ] || return 0
    printf -v t '%d.%03d' $(($1 / 1000)) $(($1 % 1000))
    read -r -t "$t" -u "$E2E_NEVER_FD" || true
}

# Runs a command every 10 ms until it succeeds or TIMEOUT_MS have passed.
# Usage: poll TIMEOUT_MS COMMAND [ARGS...]
poll() {
    local deadline=$(($(now_ms) + $1))
    shift
    until "$@"; do
        [ "$(now_ms)" -ge "$deadline" ] && return 1
        pause_ms 10
    done
}

E2E_PIDS=""
E2E_WORK=""
APP_PID=""

e2e_teardown() {
    local status=$? pid
    trap - EXIT INT TERM HUP
    [ -n "$APP_PID" ] && kill -KILL "$APP_PID" 2>/dev/null
    [ -n "$APP_JOB" ] && kill -KILL "$APP_JOB" 2>/dev/null
    for pid in $E2E_PIDS; do kill -TERM "$pid" 2>/dev/null; done
    for pid in $E2E_PIDS; do wait "$pid" 2>/dev/null; done
    if [ "$status" -ne 0 ] && [ "$status" -ne "$E2E_SKIP" ] && [ -n "$E2E_WORK" ]; then
        local f
        for f in "$E2E_WORK"/app*.err; do
            [ -s "$f" ] && { note "--- stderr of run ${f##*/app}:"; cat "$f" >&2; }
        done
    fi
    desktop_stop
    exit "$status"
}

# Usage: e2e_start [--no-sound]
e2e_start() {
    local tool tools="Xvfb openbox xdotool xprop xwininfo"
    [ "${1:-}" = --no-sound ] || tools="$tools pulseaudio pactl parec"
    for tool in $tools; do
        command -v "$tool" >/dev/null 2>&1 || skip "$tool is not installed (tools/install-deps)"
    done

    trap e2e_teardown EXIT
    trap 'exit 130' INT
    trap 'exit 143' TERM HUP
    desktop_new e2e || fail "no temporary folder"
    E2E_WORK=$DESKTOP_DIR
    export QT_QPA_PLATFORM=xcb

    # A pipe nobody writes to: pause_ms waits on it.
    mkfifo "$E2E_WORK/never"
    exec {E2E_NEVER_FD}<>"$E2E_WORK/never"

    desktop_x || skip "no X server with a window manager"
    [ "${1:-}" = --no-sound ] && return 0
    desktop_pulse null || skip "no PulseAudio server"
    desktop_sink_reader null
    # Every sound started, in order, also the short ones that end between two looks.
    : >"$E2E_WORK/sounds.log"
    sound_watcher &
    E2E_PIDS="$! $E2E_PIDS"
    poll 5000 watcher_subscribed || skip "could not watch the PulseAudio server"
}

wm_running() { desktop_wm_running; }
pulse_running() { pactl info >/dev/null 2>&1; }

# The record folder of the program, below the data folder given.
record_dir() { echo "${1:-$XDG_DATA_HOME}/Corvane/Velmora"; }

# ---------------------------------------------------------------- the program

# Starts the program in the background, in Italian. APP_PID is the program's own pid
# (its windows carry it); APP_JOB is this shell's child: the program, or the wrapper
# in front of it (faketime forks, and hands the program's exit status on).
# Usage: app_start [WRAPPER COMMAND...]    e.g. app_start faketime -f "+0 x60"
APP_RUNS=0
APP_JOB=""
app_start() {
    APP_RUNS=$((APP_RUNS + 1))
    LANG=it_IT.UTF-8 "$@" "$VELMORA" >/dev/null 2>"$E2E_WORK/app$APP_RUNS.err" &
    APP_JOB=$!
    APP_PID=$APP_JOB
    if [ $# -gt 0 ]; then
        APP_PID=""
        poll 5000 wrapped_program_started || fail "the program did not start under $1"
    fi
    APP_STARTED=$(process_start "$APP_PID")
    # A new client may be handed the window ids of one that has gone.
    SEEN_WINDOWS=""
}
wrapped_program_started() {
    local children=""
    # One line of pids, without a line end.
    { read -r children <"/proc/$APP_JOB/task/$APP_JOB/children"; } 2>/dev/null
    APP_PID=${children%% *}
    [ -n "$APP_PID" ] && [ "$(readlink "/proc/$APP_PID/exe")" = "$(readlink -f "$VELMORA")" ]
}

# The state letter and start time of a process, from one read of /proc/PID/stat (empty
# when there is no such process): fields 3 and 22, counted after the name in brackets.
process_stat() {
    local stat fields
    { read -r stat <"/proc/$1/stat"; } 2>/dev/null || return 1
    read -r -a fields <<<"${stat##*) }"
    echo "${fields[0]} ${fields[19]}"
}
process_start() { local s; s=$(process_stat "$1") && echo "${s#* }"; }

# Whether the program still runs: one read of its /proc entry, so that an exit at any
# moment reads as an exit. A zombie has ended; so has a process that reuses the pid of a
# program its wrapper (faketime) has already reaped.
APP_STARTED=""
app_running() {
    local s
    [ -n "$APP_PID" ] && s=$(process_stat "$APP_PID") || return 1
    case ${s%% *} in Z | X) return 1 ;; esac
    [ "${s#* }" = "$APP_STARTED" ]
}

# Waits for the program to end; its exit status is in APP_STATUS.
# Usage: app_wait_exit [TIMEOUT_MS]
app_wait_exit() {
    poll "${1:-5000}" eval '! app_running' || fail "the program did not end within ${1:-5000} ms"
    wait "$APP_JOB"
    APP_STATUS=$?
    APP_PID="" APP_JOB=""
}

# Prepares a run under libfaketime (app_start faketime -f "+0 xN"): only the clocks run
# fast. By default libfaketime also shifts the times stat() reports, and fontconfig, taking
# every font cache for stale, would scan all the fonts again (seconds of start-up, far more
# with several tests at once) and rewrite the machine's own caches with times in the
# future; should it still write one, it goes to the test's folder. In a sanitizer build the
# preloaded libfaketime comes before the sanitizer's run-time, which is harmless here.
fast_clock_setup() {
    command -v faketime >/dev/null 2>&1 || skip "faketime is not installed (tools/install-deps)"
    export NO_FAKE_STAT=1
    cat >"$E2E_WORK/fonts.conf" <<EOF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <cachedir>$E2E_WORK/fontconfig-cache</cachedir>
  <cachedir>/var/cache/fontconfig</cachedir>
  <include ignore_missing="yes">/etc/fonts/fonts.conf</include>
</fontconfig>
EOF
    export FONTCONFIG_FILE="$E2E_WORK/fonts.conf"
    export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0"
}

# Kills the program at once and reaps it.
app_kill() {
    kill -KILL "$APP_PID" 2>/dev/null
    wait "$APP_JOB" 2>/dev/null
    APP_PID="" APP_JOB=""
}

# ---------------------------------------------------------------- windows

# The program's shown windows whose title matches an extended regular expression.
# --all: xdotool's default joins the conditions with "or".
app_windows() { xdotool search --all --onlyvisible --pid "$APP_PID" --name "$1" 2>/dev/null; }

# A window title the test must never see (e.g. the main window when start-up fails);
# every wait checks for it.
FORBIDDEN_TITLE=""
check_forbidden() {
    [ -z "$FORBIDDEN_TITLE" ] && return 0
    [ -z "$(app_windows "$FORBIDDEN_TITLE")" ] || fail "a window titled /$FORBIDDEN_TITLE/ was shown"
}

# Waits for a shown window of the program titled to match REGEX that was not seen
# before (every box is a new window, and many are titled "Velmora"); WIN is its id.
# Usage: wait_window REGEX [TIMEOUT_MS]
SEEN_WINDOWS=""
wait_window() {
    WANTED_TITLE=$1
    poll "${2:-5000}" new_window || fail "no window titled /$1/ within ${2:-5000} ms"
    SEEN_WINDOWS="$SEEN_WINDOWS $WIN"
}
new_window() {
    check_forbidden
    unseen_window && return 0
    # Looked at after the windows: a program that showed the window and then ended has
    # still shown it.
    app_running || fail "the program ended (or died) while a window /$WANTED_TITLE/ was awaited"
    return 1
}
# Whether the program shows a window titled WANTED_TITLE not seen before; WIN is its id.
unseen_window() {
    local w
    for w in $(app_windows "$WANTED_TITLE"); do
        case " $SEEN_WINDOWS " in *" $w "*) continue ;; esac
        WIN=$w
        return 0
    done
    return 1
}

# Checks that no new window of the program matching REGEX shows up within MS; the program
# may end meanwhile.
# Usage: expect_no_window REGEX MS
expect_no_window() {
    local deadline=$(($(now_ms) + $2)) running
    WANTED_TITLE=$1
    while [ "$(now_ms)" -lt "$deadline" ]; do
        # Read before the windows are looked at, so that none shown before an end is missed.
        app_running && running=1 || running=0
        check_forbidden
        unseen_window && fail "an unexpected window /$1/ ($(window_title "$WIN")) was shown"
        [ "$running" = 1 ] || return 0
        pause_ms 10
    done
}

window_title() { xdotool getwindowname "$1" 2>/dev/null; }

is_active() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }
wait_active() { poll "${2:-5000}" is_active "$1" || fail "window $1 ($(window_title "$1")) did not get the focus"; }

window_gone() { ! xwininfo -id "$1" 2>/dev/null | grep -q IsViewable; }
wait_gone() { poll "${2:-5000}" window_gone "$1" || fail "window $1 ($(window_title "$1")) is still shown"; }

# Presses Return in a box once it has the keyboard focus (real key events, XTEST), and
# waits until it closes. Usage: press_return WIN
press_return() {
    wait_active "$1"
    xdotool key Return
    wait_gone "$1"
}

# ---------------------------------------------------------------- sound

# The note the pupil hears now: the newest stream that plays one of suoni/<n>A.wav.
# Prints n, or nothing.
note_playing() {
    pactl list sink-inputs 2>/dev/null |
        sed -n 's|^[[:space:]]*media\.filename = ".*/suoni/\([1-7]\)A\.wav"$|\1|p' | tail -n 1
}

# Writes "index file" to sounds.log for each stream the server creates. It ends with
# the server (pactl subscribe loses its connection).
sound_watcher() {
    local line
    pactl subscribe 2>/dev/null | while read -r line; do
        case $line in
            "Event 'new' on sink-input #"*)
                pactl list sink-inputs 2>/dev/null | awk -v want="${line##*#}" '
                    /^Sink Input #/ { current = substr($3, 2) }
                    current == want && /media\.filename = / {
                        sub(/^[^"]*"/, ""); sub(/"$/, ""); print want, $0; found = 1 }
                    END { if (!found) print want, "?" }' >>"$E2E_WORK/sounds.log" ;;
        esac
    done
}
watcher_subscribed() {
    [ "$(pactl list clients 2>/dev/null | grep -c 'application.process.binary = "pactl"')" -ge 2 ]
}

# The number of sounds started so far.
sounds_started() { wc -l <"$E2E_WORK/sounds.log"; }

# Waits until at least COUNT sounds have started after the first SINCE, and a little
# longer for any that should not come; SOUNDS lists them all, as suoni/<file> names.
# Usage: wait_sounds SINCE COUNT [TIMEOUT_MS]
wait_sounds() {
    local since=$1 count=$2
    poll "${3:-3000}" eval '[ "$(sounds_started)" -ge $((since + count)) ]' ||
        fail "$count sound(s) expected, started: $(sounds_after "$since")"
    pause_ms 300
    SOUNDS=$(sounds_after "$since")
}
sounds_after() {
    tail -n +$(($1 + 1)) "$E2E_WORK/sounds.log" | sed 's|^[0-9]* .*/\(suoni/[^/]*\)$|\1|' | tr '\n' ' ' | sed 's/ $//'
}

# Waits for a note to play; NOTE is the note.
wait_note() { poll "${1:-3000}" note_is_playing || fail "no note is playing"; }
note_is_playing() { NOTE=$(note_playing); [ -n "$NOTE" ]; }

# ---------------------------------------------------------------- the game

# Starts the program and plays its start-up: types NAME into the name prompt, closes the
# greeting and waits for the main window; MAIN is its id.
# Usage: app_begin NAME [COMMAND PREFIX...]
app_begin() {
    local name=$1
    shift
    app_start "$@"
    wait_window '^Velmora$' "$E2E_START_MS"
    wait_active "$WIN"
    xdotool type --delay 2 "$name"
    xdotool key Return
    wait_gone "$WIN"
    wait_window '^Velmora$'
    press_return "$WIN"
    wait_window '^Tarvino $' "$E2E_START_MS"
    MAIN=$WIN
    wait_active "$MAIN"
}

# Clicks answer button N (1..7): client x 8..129, y 8 + 80 (N - 1) .. +73, below the
# 19-pixel menu bar.
click_answer() {
    wait_active "$MAIN"
    xdotool mousemove --window "$MAIN" 68 $((19 + 8 + 80 * ($1 - 1) + 36)) click 1
}

# Chooses "Esci", the last entry of the menu bar, from the keyboard: Alt alone puts the
# menu bar in keyboard mode on its first entry, Left wraps round to the last one, Return
# triggers it. Unlike a click this does not depend on the width of the entries' texts.
choose_exit() {
    wait_active "$MAIN"
    xdotool key alt Left Return
}
