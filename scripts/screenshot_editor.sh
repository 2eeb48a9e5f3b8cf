#!/bin/sh
# Renders both editor windows with a small sample puzzle under Xvfb to
# docs/screenshots/editor15.png and docs/screenshots/editor30.png.
#
#   scripts/screenshot_editor.sh [build-dir]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$root/build"}
if [ ! -d "$build" ]; then
    cmake -S "$root" -B "$build" -G Ninja
fi
cmake --build "$build" --target editor_screenshot -j2
mkdir -p "$root/docs/screenshots"
xvfb-run -a -s "-screen 0 1280x1024x24" \
    "$build/tests/editor/editor_screenshot" \
    "$root/docs/screenshots/editor15.png" "$root/docs/screenshots/editor30.png"
echo "wrote $root/docs/screenshots/editor15.png and editor30.png"
