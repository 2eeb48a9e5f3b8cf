#!/bin/sh
# Renders both play windows during a game under Xvfb to
# docs/screenshots/play15.png and docs/screenshots/play30.png.
# Usage: scripts/screenshot_play.sh [build dir]   (default: build)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$root/build"}
case $build in /*) ;; *) build="$root/$build" ;; esac
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" -G Ninja
fi
cmake --build "$build" --target play_screenshot -j2
mkdir -p "$root/docs/screenshots"
xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb \
    "$build/tests/play/play_screenshot" \
    "$root/docs/screenshots/play15.png" "$root/docs/screenshots/play30.png"
