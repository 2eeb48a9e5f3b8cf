#!/usr/bin/env bash
# Renders every window for the documentation into docs/screenshots/ under Xvfb:
# both editors, both play windows, both print windows with a printed page,
# both answer keys and a worksheet,
# the help window and the splash; and the web page in headless Chromium.
# Usage: scripts/screenshots.sh [build-dir]
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
bash scripts/screenshot_editor.sh "$build"
bash scripts/screenshot_play.sh "$build"
bash scripts/screenshot_print.sh "$build"
bash scripts/screenshot_key.sh "$build"
bash scripts/screenshot_help.sh "$build"
bash scripts/screenshot_check.sh "$build"
bash scripts/screenshot_web.sh "$build"
