#!/bin/sh
# Renders both editor windows with a small sample puzzle under Xvfb to
# docs/screenshots/editor15.png and docs/screenshots/editor30.png.
#
#   scripts/screenshot_editor.sh [build-dir]
set -eu
# shellcheck source=scripts/screenshot_common.sh
. "$(dirname "$0")/screenshot_common.sh"
screenshot_build editor_screenshot "${1:-}"
xvfb-run -a -s "-screen 0 1280x1024x24" \
    "$build/tests/editor/editor_screenshot" "$out/editor15.png" "$out/editor30.png"
echo "wrote $out/editor15.png and editor30.png"
