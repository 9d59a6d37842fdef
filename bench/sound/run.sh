#!/bin/sh
# Sound latency benchmark: the time from rt::SoundPlayer::play() to the first sample of
# the sound at the audio server's sink, for the first play of a fresh player (which
# also connects to the server) and for a replay, as the median of several runs.
#
# Usage: bench/sound/run.sh [PROGRAM-FOLDER [RUNS]]
#   PROGRAM-FOLDER  the folder holding suoni/1A.wav, as laid out by the build
#                   (default: /tmp/velmora-build-audio/quiz); RUNS defaults to 9.
# It builds the benchmark in $TMPDIR/velmora-bench-sound and runs it against a private
# PulseAudio server with a null sink (tests/audio/run-with-null-sink.sh), so it needs no
# sound card and leaves the desktop's sound alone.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
sounds=${1:-/tmp/velmora-build-audio/quiz}
runs=${2:-9}
build=${TMPDIR:-/tmp}/velmora-bench-sound

cmake -S "$here" -B "$build" >/dev/null
cmake --build "$build" -j8 >/dev/null
sh "$here/../../tests/audio/run-with-null-sink.sh" "$build/soundlatency" "$sounds" "$runs"
