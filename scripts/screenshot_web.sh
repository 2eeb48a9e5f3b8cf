#!/usr/bin/env bash
# Takes the web page's pictures for the documentation in headless Chromium:
#   docs/screenshots/web_desktop.png  a 15x15 game under way, 1280 px wide
#   docs/screenshots/web_phone.png    the same at 320 px (a phone, twice the pixels)
# Usage: scripts/screenshot_web.sh [build-dir] [--all]
#   --all also writes, into the build folder's web-shots/, the page at 200 %
#   zoom, a 30x30 game, the 7 x 12 puzzle, the answers shown and a finish.
set -euo pipefail
# shellcheck source=scripts/screenshot_common.sh
. "$(dirname "$0")/screenshot_common.sh"
screenshot_build web_test_pages "${1:-}"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$build/tests/web/web_test_pages" "$work"
if [ "${2:-}" = "--all" ]; then
    mkdir -p "$build/web-shots"
    /usr/bin/python3 "$root/tests/web/web_shot.py" "$work" "$build/web-shots" --all
else
    /usr/bin/python3 "$root/tests/web/web_shot.py" "$work" "$out"
fi
