# shellcheck shell=dash
# The tests' private desktop, in one place; sourced by sh (dash) and bash scripts alike.
#
#   desktop_new NAME      a throw-away home: a new temporary folder (DESKTOP_DIR) holding
#                         HOME, the XDG folders and TMPDIR, all exported
#   desktop_x [SCREEN]    an Xvfb server on a display it picks itself, managed by openbox;
#                         DISPLAY exported
#   desktop_pulse SINK    a PulseAudio server whose only sink is the null sink SINK, found by
#                         its clients through XDG_RUNTIME_DIR
#   desktop_sink_reader SINK
#                         a steady low-latency reader on SINK's monitor: without one the null
#                         sink runs at up to 2 s of latency
#   desktop_stop [--keep] stops everything started here (in DESKTOP_PIDS) and removes
#                         DESKTOP_DIR, unless --keep
#
# Nothing reaches the user's own desktop: the variables that would lead a client to it are
# cleared. A server that does not come up makes its function say why on stderr and return 1;
# the caller decides whether that is a skip. The caller arranges for desktop_stop on exit.

DESKTOP_DIR=""
DESKTOP_PIDS=""

# Runs COMMAND every 50 ms until it succeeds, at most TENTHS tenths of a second, and
# gives up at once when it returns 2.
# Usage: desktop_wait TENTHS COMMAND [ARGS...]
desktop_wait() {
    local n=$(($1 * 2)) status
    shift
    while :; do
        "$@" && return 0
        status=$?
        n=$((n - 1))
        [ "$status" -ne 2 ] && [ "$n" -gt 0 ] || return 1
        sleep 0.05
    done
}

# Whether a process runs (a zombie, ended but not yet waited for, does not).
desktop_alive() {
    local stat
    { read -r stat <"/proc/$1/stat"; } 2>/dev/null || return 1
    case $stat in *") Z "* | *") X "*) return 1 ;; esac
}

# Ends a process started here: SIGTERM, up to 5 s to go, then SIGKILL. Usage: desktop_end PID
desktop_end() {
    local n=100
    kill -TERM "$1" 2>/dev/null || true
    while desktop_alive "$1" && [ "$n" -gt 0 ]; do
        sleep 0.05
        n=$((n - 1))
    done
    kill -KILL "$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
}

# Usage: desktop_new NAME
desktop_new() {
    DESKTOP_DIR=$(mktemp -d "${TMPDIR:-/tmp}/velmora-$1.XXXXXX") || return 1
    mkdir -p "$DESKTOP_DIR/home" "$DESKTOP_DIR/data" "$DESKTOP_DIR/tmp" &&
        mkdir -m 700 "$DESKTOP_DIR/runtime" || return 1
    export HOME="$DESKTOP_DIR/home" XDG_DATA_HOME="$DESKTOP_DIR/data" \
           XDG_CONFIG_HOME="$DESKTOP_DIR/config" XDG_CACHE_HOME="$DESKTOP_DIR/cache" \
           XDG_RUNTIME_DIR="$DESKTOP_DIR/runtime" TMPDIR="$DESKTOP_DIR/tmp"
}

# Usage: desktop_x [SCREEN]   (default 1280x1024x24)
desktop_x() {
    local try
    unset XAUTHORITY WAYLAND_DISPLAY SESSION_MANAGER DBUS_SESSION_BUS_ADDRESS QT_QPA_PLATFORMTHEME
    # Servers started side by side pick their displays at once, and now and then one of
    # them ends up on a display it cannot serve: such a server is replaced.
    for try in 1 2 3; do
        desktop_x_try "$try" "${1:-1280x1024x24}" && return 0
    done
    return 1
}
desktop_x_try() {
    local display xvfb wm
    # Xvfb writes its display number to the pipe once it accepts clients.
    mkfifo "$DESKTOP_DIR/displayfd$1" || return 1
    Xvfb -displayfd 3 -screen 0 "$2" -nolisten tcp \
        3>"$DESKTOP_DIR/displayfd$1" >"$DESKTOP_DIR/xvfb$1.log" 2>&1 &
    xvfb=$!
    DESKTOP_PIDS="$xvfb $DESKTOP_PIDS"
    display=$(timeout 10 head -n 1 "$DESKTOP_DIR/displayfd$1") || display=""
    export DISPLAY=":$display"
    if [ -z "$display" ] || ! timeout 5 xprop -root >/dev/null 2>&1; then
        tail -n 5 "$DESKTOP_DIR/xvfb$1.log" >&2
        echo "Xvfb did not start (display '$display')" >&2
        desktop_end "$xvfb"
        return 1
    fi

    openbox --sm-disable >"$DESKTOP_DIR/openbox$1.log" 2>&1 &
    wm=$!
    DESKTOP_PIDS="$wm $DESKTOP_PIDS"
    if ! desktop_wait 100 desktop_wm_running "$wm"; then
        tail -n 5 "$DESKTOP_DIR/openbox$1.log" >&2
        echo "openbox did not start on $DISPLAY" >&2
        desktop_end "$wm"
        desktop_end "$xvfb"
        return 1
    fi
}
# openbox manages the screen once it has set its check window on the root.
# Usage: desktop_wm_running [OPENBOX_PID]
desktop_wm_running() {
    [ -z "${1:-}" ] || desktop_alive "$1" || return 2
    timeout 5 xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'
}

# Usage: desktop_pulse SINK
desktop_pulse() {
    local pid n
    unset PULSE_SERVER PULSE_SINK PULSE_SOURCE PULSE_CLIENTCONFIG
    # In the foreground, so that its pid is ours to stop; -n: nothing but what is loaded here.
    pulseaudio --daemonize=no --system=false --exit-idle-time=-1 -n \
        --load="module-null-sink sink_name=$1 rate=44100 channels=2" \
        --load=module-native-protocol-unix \
        --log-target="file:$DESKTOP_DIR/pulse.log" >/dev/null 2>&1 &
    pid=$!
    DESKTOP_PIDS="$pid $DESKTOP_PIDS"
    n=200
    until timeout 5 pactl info >/dev/null 2>&1; do
        n=$((n - 1))
        if [ "$n" -le 0 ] || ! desktop_alive "$pid"; then
            tail -n 5 "$DESKTOP_DIR/pulse.log" >&2
            echo "PulseAudio did not start" >&2
            return 1
        fi
        sleep 0.05
    done
}

# Usage: desktop_sink_reader SINK
desktop_sink_reader() {
    parec -d "$1.monitor" --latency-msec=10 >/dev/null 2>&1 &
    DESKTOP_PIDS="$! $DESKTOP_PIDS"
}

# Usage: desktop_stop [--keep]
desktop_stop() {
    local pid
    for pid in $DESKTOP_PIDS; do kill -TERM "$pid" 2>/dev/null || true; done
    for pid in $DESKTOP_PIDS; do desktop_end "$pid"; done
    DESKTOP_PIDS=""
    if [ -n "$DESKTOP_DIR" ] && [ "${1:-}" != --keep ]; then
        rm -rf "$DESKTOP_DIR"
        DESKTOP_DIR=""
    fi
}
