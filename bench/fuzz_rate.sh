#!/usr/bin/env bash
# Inputs per CPU-second of each fuzz target, with every sanitizer check on
# (target: 5,000 each). Each target runs a fixed number of inputs from its seed
# corpus with a fixed seed, so two builds compare on the same work; libFuzzer's
# own exec/s counts wall time and reads lower when the cores are busy.
#   FUZZ_RUNS       inputs per target (default 100000)
#   FUZZ_BUILD_DIR  the fuzz build (default build-fuzz), made by scripts/fuzz.sh
set -euo pipefail
cd "$(dirname "$0")/.."
export FUZZ_BUILD_DIR=${FUZZ_BUILD_DIR:-build-fuzz}
RUNS=${FUZZ_RUNS:-100000}

if ! built=$(FUZZ_BUILD_ONLY=1 bash scripts/fuzz.sh 2>&1); then
    echo "$built" >&2
    exit 1
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Every target that scripts/fuzz.sh built a corpus for.
for dir in "$FUZZ_BUILD_DIR"/corpus/*/; do
    kind=$(basename "$dir")
    target="$FUZZ_BUILD_DIR/fuzz/fuzz_$kind"
    [ -x "$target" ] || continue
    cp -r "$FUZZ_BUILD_DIR/corpus/$kind" "$work/$kind"
    QT_QPA_PLATFORM=offscreen /usr/bin/time -f '%U %S' -o "$work/time" \
        "$target" "$work/$kind" -seed=1 -runs="$RUNS" -rss_limit_mb=4096 >/dev/null 2>&1
    read -r user sys <"$work/time"
    awk -v k="fuzz_$kind" -v n="$RUNS" -v u="$user" -v s="$sys" 'BEGIN {
        printf "%s: %d inputs in %.2f s CPU (%.2f s user): %.0f inputs per CPU-second\n",
               k, n, u + s, u, n / (u + s) }'
done
