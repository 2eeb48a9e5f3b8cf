#!/usr/bin/env bash
# Blocked words in a puzzle book, by the program's own check: a 100-puzzle
# 15x15 book (--pdf, and the same puzzles as files for `word_quarrin check`)
# drawn from a pool of 150 words, 15 a puzzle, made with --no-clean and with
# the default clean fill. Prints, for each seed, how many of the 100 puzzles
# the check finds a blocked word in, and the run's wall time.
#
# The pool is the first 150 different words of at most 14 letters of the
# shared lists (../shared/bench/words_15x15.txt, then words_30x30.txt;
# QUARRIN_SHARED overrides the folder). Only the built-in blocked words count:
# the runs get a configuration folder of their own. The program is
# BUILD_DIR/src/app/word_quarrin (BUILD_DIR defaults to build-rel).
#
# Usage: bench/blocked_book.sh [seed...]   (default seeds 1 to 5)
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
shared=${QUARRIN_SHARED:-$repo/../shared/bench}
build=${BUILD_DIR:-$repo/build-rel}
seeds=("$@")
[[ ${#seeds[@]} -gt 0 ]] || seeds=(1 2 3 4 5)
for list in words_15x15.txt words_30x30.txt; do
    if [[ ! -f $shared/$list ]]; then
        echo "blocked_book: $shared/$list not found; set QUARRIN_SHARED to the shared bench folder." >&2
        exit 2
    fi
done
if [[ ! -f $build/CMakeCache.txt ]]; then
    cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" --target word_quarrin >/dev/null
program=$build/src/app/word_quarrin

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config
cat "$shared/words_15x15.txt" "$shared/words_30x30.txt" | tr -s ' \t' '\n\n' |
    awk 'NF && length($0) <= 14 && !seen[$0]++' | head -n 150 >"$work/pool.txt"
echo "pool: $(wc -l <"$work/pool.txt") words; 100 puzzles of 15 words, 15x15"

for seed in "${seeds[@]}"; do
    line="seed $seed:"
    for mode in --no-clean default; do
        out=$work/out-$mode-$seed
        args=(generate --pool "$work/pool.txt" --count 100 --per-puzzle 15 --out "$out"
            --pdf "$out/book.pdf" --seed "$seed" --quiet)
        [[ $mode == default ]] || args+=("$mode")
        start=$(date +%s.%N)
        "$program" "${args[@]}" 2>"$work/warnings"
        end=$(date +%s.%N)
        # `check` exits 1 when it finds a problem; count the puzzles with a blocked word.
        blocked=$("$program" check "$out"/puzzle-*.qrn | grep ': Blocked word ' | cut -d: -f1 |
            sort -u | wc -l || true)
        reported=$(grep -c 'blocked word' "$work/warnings" || true)
        line+=$(awk -v m="$mode" -v b="$blocked" -v r="$reported" -v a="$start" -v z="$end" \
            'BEGIN {printf "  %s: %d of 100 with a blocked word (%d reported), %.2f s", m, b, r, z - a}')
    done
    echo "$line"
done
