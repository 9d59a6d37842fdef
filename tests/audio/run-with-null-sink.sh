#!/bin/sh
# Usage: run-with-null-sink.sh COMMAND [ARGS...]
# Runs COMMAND against a private PulseAudio server that plays into a null sink (no sound
# card needed), with HOME, the XDG folders and TMPDIR in a fresh temporary folder, and
# stops the server and removes the folder afterwards, also when COMMAND fails.
# COMMAND finds the sink's name in VELMORA_TEST_NULL_SINK and records "<name>.monitor".
# Exits 77 (skipped) when no server can be started.
set -u
. "$(dirname "$0")/../support/desktop.sh"

for tool in pulseaudio pactl parec; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "SKIP: $tool is not installed (Debian package pulseaudio / pulseaudio-utils)"
    exit 77
  fi
done

desktop_new audio || exit 1
trap desktop_stop EXIT
trap 'exit 130' INT
trap 'exit 143' TERM HUP

desktop_pulse velmora_null 2>&1 || { echo "SKIP: no PulseAudio server"; exit 77; }

export VELMORA_TEST_NULL_SINK=velmora_null
"$@"
