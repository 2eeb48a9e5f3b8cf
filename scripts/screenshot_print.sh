#!/usr/bin/env bash
# Renders the two print windows and one printed page for the documentation:
#   docs/screenshots/print15.png, print30.png  the windows with their tools
#   docs/screenshots/printed_page.png         the 15x15 page printed to PDF, rendered at 96 dpi
# Usage: scripts/screenshot_print.sh [build-dir]   (default: build)
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
out="$root/docs/screenshots"
mkdir -p "$out"

if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" -G Ninja
fi
cmake --build "$build" --target print_shot -j2

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# A real X server when there is one to start, so the windows are drawn as on a desktop.
if command -v xvfb-run >/dev/null 2>&1; then
    xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" "$build/tests/print/print_shot" "$work"
else
    QT_QPA_PLATFORM=offscreen "$build/tests/print/print_shot" "$work"
fi

cp "$work/print15.png" "$work/print30.png" "$out/"
# rendered at three times 96 dpi and scaled down, so hairline grid lines stay visible
pdftoppm -r 288 -png -singlefile "$work/printed_page.pdf" "$work/printed_page"
if command -v convert >/dev/null 2>&1; then
    convert "$work/printed_page.png" -resize 33.3333% "$out/printed_page.png"
else
    pdftoppm -r 96 -png -singlefile "$work/printed_page.pdf" "$out/printed_page"
fi
echo "written: $out/print15.png $out/print30.png $out/printed_page.png"
