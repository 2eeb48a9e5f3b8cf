#!/usr/bin/env bash
# Renders the two print windows and one printed page for the documentation:
#   docs/screenshots/print15.png, print30.png  the windows with their tools
#   docs/screenshots/printed_page.png         the 15x15 page printed to PDF, rendered at 96 dpi
# Usage: scripts/screenshot_print.sh [build-dir]   (default: build)
set -euo pipefail
# shellcheck source=scripts/screenshot_common.sh
. "$(dirname "$0")/screenshot_common.sh"
screenshot_build print_shot "${1:-}"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

run_on_screen 1280x1024 "$build/tests/print/print_shot" "$work"

cp "$work/print15.png" "$work/print30.png" "$out/"
# rendered at three times 96 dpi and scaled down, so hairline grid lines stay visible
pdftoppm -r 288 -png -singlefile "$work/printed_page.pdf" "$work/printed_page"
if command -v convert >/dev/null 2>&1; then
    convert "$work/printed_page.png" -resize 33.3333% "$out/printed_page.png"
else
    pdftoppm -r 96 -png -singlefile "$work/printed_page.pdf" "$out/printed_page"
fi
echo "written: $out/print15.png $out/print30.png $out/printed_page.png"
