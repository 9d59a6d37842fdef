#!/bin/sh
# Installs the build into a temporary prefix and starts the installed game on a private
# X server, far enough to see its name prompt: the install must hold all the program needs.
# Usage: installed-game.sh BUILD_DIR
set -eu
build=$1
. "$(dirname "$0")/../support/desktop.sh"
game=""
cleanup() {
    [ -n "$game" ] && kill "$game" 2>/dev/null || true
    desktop_stop
}
desktop_new install
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM HUP
root=$DESKTOP_DIR

cmake --install "$build" --prefix "$root/prefix" >/dev/null
for f in bin/velmora lib/velmora/velmora lib/velmora/suoni/1A.wav lib/velmora/suoni/no.wav \
         lib/velmora/7.wav share/applications/velmora.desktop share/icons/hicolor/32x32/apps/velmora.png; do
    [ -e "$root/prefix/$f" ] || { echo "not installed: $f"; exit 1; }
done

for tool in Xvfb openbox xprop xdotool; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing (tools/install-deps)"; exit 77; }
done
desktop_x 1024x768x24 || { echo "SKIP: no X server"; exit 77; }

# The source and build trees are out of reach: the game runs from the prefix alone.
cd "$root"
QT_QPA_PLATFORM=xcb "$root/prefix/bin/velmora" >"$root/log" 2>&1 &
game=$!

i=0
while [ $i -lt 100 ]; do
    if xdotool search --name '^Velmora$' >/dev/null 2>&1; then
        echo "the installed game shows its name prompt"
        exit 0
    fi
    kill -0 "$game" 2>/dev/null || { echo "the installed game ended early:"; cat "$root/log"; exit 1; }
    sleep 0.1
    i=$((i + 1))
done
echo "no name prompt within 10 s"; cat "$root/log"
exit 1
