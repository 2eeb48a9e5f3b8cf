#!/usr/bin/env bash
# Times `word_quarrin generate` making 1,000 15x15 puzzles into .qrn files
# from the shared 15x15 word lists (each of their 200 lines used five times),
# and a 200-puzzle book with its keys as PDF (the 200 lines once), then the
# peak memory of 100,000 30x30 puzzles drawn from a pool (GNU time needed).
# The lists are in ../shared/bench beside the checkout (QUARRIN_SHARED
# overrides); the program is BUILD_DIR/src/app/word_quarrin (BUILD_DIR
# defaults to build-rel). Prints the median wall time of RUNS runs.
#
# Usage: bench/generate_files.sh [runs=5]
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
shared=${QUARRIN_SHARED:-$repo/../shared/bench}
build=${BUILD_DIR:-$repo/build-rel}
runs=${1:-5}
if [[ ! -f $shared/words_15x15.txt ]]; then
    echo "generate_files: $shared/words_15x15.txt not found; the shared benchmark folder is" >&2
    echo "expected at ../shared/bench beside the checkout; set QUARRIN_SHARED to its path." >&2
    exit 2
fi
if [[ ! -f $build/CMakeCache.txt ]]; then
    cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" --target word_quarrin >/dev/null
program=$build/src/app/word_quarrin

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for _ in 1 2 3 4 5; do cat "$shared/words_15x15.txt"; done >"$work/lists.txt"

times=()
for ((r = 1; r <= runs; ++r)); do
    rm -rf "$work/out"
    start=$(date +%s.%N)
    "$program" generate --words "$work/lists.txt" --out "$work/out" --seed "$r" --quiet 2>/dev/null
    end=$(date +%s.%N)
    made=$(find "$work/out" -name 'puzzle-*.qrn' | wc -l)
    t=$(awk -v a="$start" -v b="$end" 'BEGIN {printf "%.3f", b - a}')
    times+=("$t")
    echo "run $r: $made puzzles in ${t}s"
done
echo "median: $(printf '%s\n' "${times[@]}" | sort -g | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}')s for 1,000 puzzles (target < 1 s)"

times=()
for ((r = 1; r <= runs; ++r)); do
    start=$(date +%s.%N)
    "$program" generate --words "$shared/words_15x15.txt" --pdf "$work/book.pdf" --seed "$r" \
        --quiet 2>/dev/null
    end=$(date +%s.%N)
    t=$(awk -v a="$start" -v b="$end" 'BEGIN {printf "%.3f", b - a}')
    times+=("$t")
    echo "book run $r: ${t}s"
done
echo "median: $(printf '%s\n' "${times[@]}" | sort -g | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}')s for a 200-puzzle book with keys (target < 5 s)"

if [[ -x /usr/bin/time ]]; then
    head -n 50 "$shared/words_15x15.txt" | tr ' ,' '\n\n' | grep -v '^$' >"$work/pool.txt"
    rm -rf "$work/out"
    peak=$(/usr/bin/time -f '%M' "$program" generate --pool "$work/pool.txt" --count 100000 \
        --per-puzzle 10 --size 30 --out "$work/out" --seed 1 --quiet 2>&1 >/dev/null | tail -n 1)
    echo "peak memory: $((peak / 1024)) MB for 100,000 30x30 puzzles (held until all are made)"
else
    echo "peak memory: skipped (GNU time, /usr/bin/time, is not installed)"
fi
