#!/usr/bin/env bash
# Puzzle generation side by side with the shared reference placement program,
# on the same word lists, in one run.
#
# The word lists and ref_placement.cpp live in ../shared/bench beside the
# checkout (QUARRIN_SHARED overrides the folder). The script builds the
# reference with its own documented command (g++ -O2) and bench_generation in
# a Release build folder (BUILD_DIR, default build-rel), then alternates the
# two, size by size, for ROUNDS rounds, so that both see the same load on a
# busy machine. It prints each run and, per size, the median of the per-round
# ratios model/reference: 1.00 or more means the model is at least as fast.
#
# Usage: bench/compare_generation.sh [rounds=5] [secs=1] [runs=3]
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
shared=${QUARRIN_SHARED:-$repo/../shared/bench}
build=${BUILD_DIR:-$repo/build-rel}
rounds=${1:-5}
secs=${2:-1}
runs=${3:-3}

for f in ref_placement.cpp words_15x15.txt words_30x30.txt; do
    if [[ ! -f $shared/$f ]]; then
        echo "compare_generation: $shared/$f not found." >&2
        echo "The shared benchmark folder is expected at ../shared/bench beside the checkout" >&2
        echo "($repo/../shared/bench); set QUARRIN_SHARED to its path." >&2
        exit 2
    fi
done
shared=$(cd "$shared" && pwd)

mkdir -p "$build"
if [[ ! -f $build/CMakeCache.txt ]]; then
    cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" --target bench_generation >/dev/null
ref=$build/bench/ref_placement
g++ -O2 -std=c++17 -o "$ref" "$shared/ref_placement.cpp"
model=$build/bench/bench_generation

echo "reference: $shared/ref_placement.cpp (g++ -O2); model: $model"
echo "word lists: $shared; $rounds rounds of $runs runs of ${secs}s per program and size"

median() { sort -g | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }
pps() { sed -n 's/.*"median_pps":\([0-9.]*\).*/\1/p'; }
placed() { sed -n 's/.*"placed_frac":\([0-9.]*\).*/\1/p'; }

status=0
# The two record sizes, then other sizes the reference also takes (its grid is
# at most 30x30). Only the record sizes must keep up with the reference; the
# others place as documents do, with a search of every place behind the draws.
for n in 15 30 10 20; do
    list=$shared/words_$((n <= 15 ? 15 : 30))x$((n <= 15 ? 15 : 30)).txt
    ratios=()
    for ((r = 1; r <= rounds; ++r)); do
        # Alternate which program goes first, so neither always runs second.
        if ((r % 2)); then
            a=$("$ref" "$list" "$n" "$secs" "$runs" --json)
            b=$("$model" "$list" "$n" "$secs" "$runs" --json)
        else
            b=$("$model" "$list" "$n" "$secs" "$runs" --json)
            a=$("$ref" "$list" "$n" "$secs" "$runs" --json)
        fi
        ra=$(pps <<<"$a")
        rb=$(pps <<<"$b")
        ratio=$(awk -v a="$ra" -v b="$rb" 'BEGIN {printf "%.3f", b / a}')
        ratios+=("$ratio")
        printf '%dx%d round %d: reference %9.0f/s (placed %.4f)  model %9.0f/s (placed %.4f)  ratio %s\n' \
            "$n" "$n" "$r" "$ra" "$(placed <<<"$a")" "$rb" "$(placed <<<"$b")" "$ratio"
    done
    m=$(printf '%s\n' "${ratios[@]}" | median)
    echo "${n}x${n}: median ratio model/reference $m"
    if ((n == 15 || n == 30)) && awk -v m="$m" 'BEGIN {exit !(m < 1.0)}'; then
        status=1
    fi
done
# A size beyond the reference's reach, measured alone.
"$model" "$shared/words_30x30.txt" 50 "$secs" "$runs"
exit $status
