#!/bin/sh
# Renders both play windows during a game under Xvfb to
# docs/screenshots/play15.png and docs/screenshots/play30.png.
# Usage: scripts/screenshot_play.sh [build dir]   (default: build)
set -eu
# shellcheck source=scripts/screenshot_common.sh
. "$(dirname "$0")/screenshot_common.sh"
build=${1:-"$root/build"}
# a relative build folder is taken from the source tree
case $build in /*) ;; *) build="$root/$build" ;; esac
screenshot_build play_screenshot "$build"
xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb \
    "$build/tests/play/play_screenshot" "$out/play15.png" "$out/play30.png"
