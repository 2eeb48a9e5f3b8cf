#!/bin/sh
# Renders the 15x15 editor with its "Check Puzzle" window open and a problem
# chosen under Xvfb to docs/screenshots/check.png.
#
#   scripts/screenshot_check.sh [build-dir]
set -eu
# shellcheck source=scripts/screenshot_common.sh
. "$(dirname "$0")/screenshot_common.sh"
screenshot_build check_screenshot "${1:-}"
xvfb-run -a -s "-screen 0 1600x1024x24" "$build/tests/editor/check_screenshot" "$out/check.png"
echo "wrote $out/check.png"
