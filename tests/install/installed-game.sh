#!/bin/sh
# Installs the build into a temporary prefix and starts the installed game on a private
# X server, far enough to see its name prompt: the install must hold all the program needs.
# Usage: installed-game.sh BUILD_DIR
set -eu
build=$1
root=$(mktemp -d "${TMPDIR:-/tmp}/velmora-install.XXXXXX")
xvfb=""
game=""
cleanup() {
    [ -n "$game" ] && kill "$game" 2>/dev/null || true
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
    rm -rf "$root"
}
trap cleanup EXIT INT TERM

cmake --install "$build" --prefix "$root/prefix" >/dev/null
for f in bin/velmora lib/velmora/velmora lib/velmora/suoni/1A.wav lib/velmora/suoni/no.wav \
         lib/velmora/7.wav share/applications/velmora.desktop share/icons/hicolor/32x32/apps/velmora.png; do
    [ -e "$root/prefix/$f" ] || { echo "not installed: $f"; exit 1; }
done

command -v Xvfb >/dev/null || { echo "Xvfb is missing"; exit 77; }
mkfifo "$root/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$root/display" 2>/dev/null &
xvfb=$!
read -r display <"$root/display"
export DISPLAY=":$display"

mkdir -p "$root/home" && mkdir -m 700 "$root/runtime"
# The source and build trees are out of reach: the game runs from the prefix alone.
cd "$root"
HOME="$root/home" XDG_DATA_HOME="$root/data" XDG_RUNTIME_DIR="$root/runtime" \
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
