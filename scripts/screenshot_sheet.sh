#!/usr/bin/env bash
# Renders pages of the sheet layout for the documentation:
#   docs/screenshots/sheet_worksheet.png  a 6x9 in worksheet with clues and a name line, and its key
#   docs/screenshots/sheet_book.png       a 6x9 in book: contents, a puzzle page, a solutions page
# Usage: scripts/screenshot_sheet.sh [build-dir]   (default: build)
set -euo pipefail
# shellcheck source=scripts/screenshot_common.sh
. "$(dirname "$0")/screenshot_common.sh"
screenshot_build sheet_shot "${1:-}"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
QT_QPA_PLATFORM=offscreen "$build/tests/sheet/sheet_shot" "$work"
pdftoppm -r 60 -png "$work/worksheet-6x9.pdf" "$work/w"
pdftoppm -r 60 -png -f 2 -l 3 "$work/book-6x9.pdf" "$work/b"
pdftoppm -r 60 -png -f 15 -l 15 "$work/book-6x9.pdf" "$work/k"
montage "$work"/w-*.png -tile 2x1 -geometry +6+6 -background '#9a9a9a' "$out/sheet_worksheet.png"
montage "$work"/b-*.png "$work"/k-*.png -tile 3x1 -geometry +6+6 -background '#9a9a9a' \
    "$out/sheet_book.png"
echo "written: $out/sheet_worksheet.png $out/sheet_book.png"
