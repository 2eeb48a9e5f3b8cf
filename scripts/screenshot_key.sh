#!/usr/bin/env bash
# Renders the answer keys and a worksheet for the documentation:
#   docs/screenshots/key15.png, key30.png      both print windows showing the key
#   docs/screenshots/worksheet1.png, worksheet2.png  the two pages of a 15x15 worksheet PDF
# Usage: scripts/screenshot_key.sh [build-dir]   (default: build)
set -euo pipefail
# shellcheck source=scripts/screenshot_common.sh
. "$(dirname "$0")/screenshot_common.sh"
screenshot_build key_shot "${1:-}"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

run_on_screen 1280x1024 "$build/tests/print/key_shot" "$work"

cp "$work/key15.png" "$work/key30.png" "$out/"
# A4 at 60 dpi: a whole sheet that still shows the rings
pdftoppm -r 60 -png "$work/worksheet.pdf" "$work/worksheet"
cp "$work/worksheet-1.png" "$out/worksheet1.png"
cp "$work/worksheet-2.png" "$out/worksheet2.png"
echo "written: $out/key15.png $out/key30.png $out/worksheet1.png $out/worksheet2.png"
