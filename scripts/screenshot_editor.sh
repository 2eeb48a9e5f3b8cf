#!/bin/sh
# Renders both record editors with a small sample puzzle under Xvfb to
# docs/screenshots/editor15.png and docs/screenshots/editor30.png, and the
# document editor of a 20x14 puzzle to docs/screenshots/editor_document.png,
# and a Greek 16x12 puzzle with the New Puzzle dialog that made it to
# docs/screenshots/editor_greek.png and new_puzzle_language.png.
#
#   scripts/screenshot_editor.sh [build-dir]
set -eu
# shellcheck source=scripts/screenshot_common.sh
. "$(dirname "$0")/screenshot_common.sh"
screenshot_build editor_screenshot "${1:-}"
screenshot_build document_editor_screenshot "${1:-}"
xvfb-run -a -s "-screen 0 1280x1024x24" \
    "$build/tests/editor/editor_screenshot" "$out/editor15.png" "$out/editor30.png"
xvfb-run -a -s "-screen 0 1366x768x24" \
    "$build/tests/editor/document_editor_screenshot" "$out/editor_document.png" 20x14
xvfb-run -a -s "-screen 0 1366x768x24" \
    "$build/tests/editor/document_editor_screenshot" "$out/editor_greek.png" 16x12 el \
    "$out/new_puzzle_language.png"
echo "wrote $out/editor15.png, editor30.png, editor_document.png, editor_greek.png and new_puzzle_language.png"
