#!/usr/bin/env bash
# Takes pictures of the help window and the splash window under Xvfb:
# docs/screenshots/help.png and docs/screenshots/splash.png.
#
# Usage: scripts/screenshot_help.sh [BUILD_DIR]   (default: build)
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
out="$root/docs/screenshots"

if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" -G Ninja
fi
cmake --build "$build" --target help_screenshots -j2
mkdir -p "$out"
xvfb-run -a -s "-screen 0 1280x1024x24" "$build/tests/help/help_screenshots" "$out"
