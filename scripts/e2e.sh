#!/usr/bin/env bash
# End-to-end run of the real program: starts an X server, a D-Bus session with
# the accessibility (AT-SPI) bus, and drives the built program with
# scripts/e2e_drive.py as a user would. Leaves a screenshot and the saved
# puzzle in the output folder. Fails on any step; bounded in time.
#   E2E_PROGRAM   the program (default build/src/app/word_quarrin)
#   E2E_OUT       output folder (default build/e2e)
#   E2E_TIMEOUT   seconds for the whole run (default 110)
set -euo pipefail
cd "$(dirname "$0")/.."

PROGRAM=$(realpath "${E2E_PROGRAM:-build/src/app/word_quarrin}")
OUT=${E2E_OUT:-build/e2e}
LIMIT=${E2E_TIMEOUT:-110}
mkdir -p "$OUT"
OUT=$(realpath "$OUT")
[ -x "$PROGRAM" ] || { echo "e2e: no program at $PROGRAM (build it first)" >&2; exit 1; }

if [ "${1:-}" != "--inside" ]; then
    echo "== e2e ($PROGRAM, output in $OUT)"
    # A private X server on a free display; -displayfd reports its number.
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp 5>"$fifo" >"$OUT/xvfb.log" 2>&1 &
    xvfb=$!
    trap 'kill $xvfb 2>/dev/null || true; rm -f "$fifo"' EXIT
    read -r -t 10 display <"$fifo" || { echo "e2e: Xvfb did not start" >&2; exit 1; }
    export DISPLAY=":$display"
    export XDG_RUNTIME_DIR
    XDG_RUNTIME_DIR=$(mktemp -d)
    export E2E_PROGRAM="$PROGRAM" E2E_OUT="$OUT"
    status=0
    timeout --kill-after=5 "$LIMIT" dbus-run-session -- bash "$0" --inside || status=$?
    [ "$status" = 124 ] && echo "e2e: FAIL: the run took longer than ${LIMIT}s" >&2
    rm -rf "$XDG_RUNTIME_DIR"
    exit "$status"
fi

# Inside the D-Bus session: the accessibility bus and its registry, then the driver.
/usr/libexec/at-spi-bus-launcher --launch-immediately >"$OUT/atspi.log" 2>&1 &
launcher=$!
/usr/libexec/at-spi2-registryd >>"$OUT/atspi.log" 2>&1 &
registry=$!
trap 'kill $registry $launcher 2>/dev/null || true' EXIT
status=0
/usr/bin/python3 scripts/e2e_drive.py "$PROGRAM" "$OUT" || status=$?
exit "$status"
