#!/usr/bin/env bash
# Takes pictures of the help window and the splash window under Xvfb:
# docs/screenshots/help.png and docs/screenshots/splash.png.
#
# Usage: scripts/screenshot_help.sh [BUILD_DIR]   (default: build)
set -euo pipefail
# shellcheck source=scripts/screenshot_common.sh
. "$(dirname "$0")/screenshot_common.sh"
screenshot_build help_screenshots "${1:-}"
xvfb-run -a -s "-screen 0 1280x1024x24" "$build/tests/help/help_screenshots" "$out"
