#!/bin/sh
# Usage: run-with-null-sink.sh COMMAND [ARGS...]
# Runs COMMAND against a private PulseAudio server that plays into a null sink (no sound
# card needed), with XDG_RUNTIME_DIR, HOME and TMPDIR in a fresh temporary folder, and
# stops the server and removes the folder afterwards, also when COMMAND fails.
# COMMAND finds the sink's name in VELMORA_TEST_NULL_SINK and records "<name>.monitor".
# Exits 77 (skipped) when no server can be started.
set -u

for tool in pulseaudio pactl parec; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "SKIP: $tool is not installed (Debian package pulseaudio / pulseaudio-utils)"
    exit 77
  fi
done

work=$(mktemp -d "${TMPDIR:-/tmp}/velmora-audio.XXXXXX") || exit 1
server_pid=
cleanup() {
  if [ -n "$server_pid" ]; then
    kill "$server_pid" 2>/dev/null
    wait "$server_pid" 2>/dev/null
  fi
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM HUP

mkdir -m 700 "$work/runtime" "$work/home" "$work/tmp"
export XDG_RUNTIME_DIR="$work/runtime" HOME="$work/home" TMPDIR="$work/tmp"
export XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share"
export XDG_CACHE_HOME="$work/home/.cache"
unset PULSE_SERVER PULSE_SINK PULSE_SOURCE

# In the foreground, so that its pid is ours to stop; -n skips the default setup, so
# nothing but the null sink and the local socket exists.
pulseaudio --daemonize=no --system=false --exit-idle-time=-1 -n \
  --load="module-null-sink sink_name=velmora_null rate=44100 channels=2" \
  --load=module-native-protocol-unix \
  --log-target="file:$work/pulse.log" >/dev/null 2>&1 &
server_pid=$!

tries=0
until pactl info >/dev/null 2>&1; do
  tries=$((tries + 1))
  if [ "$tries" -gt 100 ] || ! kill -0 "$server_pid" 2>/dev/null; then
    echo "SKIP: the PulseAudio server did not start:"
    tail -n 5 "$work/pulse.log" 2>/dev/null
    exit 77
  fi
  sleep 0.1
done

export VELMORA_TEST_NULL_SINK=velmora_null
"$@"
