#!/bin/bash
# Usage: with-desktop.sh COMMAND [ARGS...]
# Runs COMMAND on a private Xvfb display managed by openbox, with HOME and the XDG
# folders in a temporary folder; exits 77 (skipped) when the display cannot start.
. "$(dirname "$0")/lib.sh"
e2e_start --no-sound
"$@"
