#!/bin/sh
# Renders the 15x15 editor with its "Check Puzzle" window open and a problem
# chosen under Xvfb to docs/screenshots/check.png.
#
#   scripts/screenshot_check.sh [build-dir]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$root/build"}
if [ ! -d "$build" ]; then
    cmake -S "$root" -B "$build" -G Ninja
fi
cmake --build "$build" --target check_screenshot -j2
mkdir -p "$root/docs/screenshots"
xvfb-run -a -s "-screen 0 1600x1024x24" \
    "$build/tests/editor/check_screenshot" "$root/docs/screenshots/check.png"
echo "wrote $root/docs/screenshots/check.png"
