#!/usr/bin/env bash
# Installs what is missing, builds Testarion and starts it. Without a display
# the program is started on a virtual one (Xvfb :99).
set -euo pipefail
# Without any locale the program would read and write file names as ASCII.
if [ -z "${LC_ALL:-}${LANG:-}" ]; then
    export LANG=C.UTF-8
fi
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" "$root/build"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found: starting Testarion on the virtual display :99."
    echo "Take a screenshot with: DISPLAY=:99 import -window root testarion.png"
    echo "Close the window (or press Ctrl+C here) to stop it."
    Xvfb :99 -screen 0 1280x800x24 >/dev/null 2>&1 &
    xvfb_pid=$!
    trap 'kill $xvfb_pid 2>/dev/null || true' EXIT
    sleep 1
    export DISPLAY=:99
fi
"$root/build/bin/testarion"
