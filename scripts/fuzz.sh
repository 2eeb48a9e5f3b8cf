#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time.
#   FUZZ_TOTAL_SECONDS  the whole run's fuzzing time, shared evenly among the
#                       targets (default 120)
#   FUZZ_SECONDS        seconds per target instead, when set
# A crash leaves its input in build-fuzz/crashes/ and fails the run.
#
# Each target is one row of KINDS below: fuzz/fuzz_KIND.cpp builds fuzz_KIND
# (listed in fuzz/CMakeLists.txt), whose corpus takes the inputs kept in
# fuzz/seeds/KIND and fuzz/regressions/KIND. A new reader needs its source,
# its line in fuzz/CMakeLists.txt, its seeds and its row here.
set -euo pipefail
cd "$(dirname "$0")/.."

KINDS=(puzzle_file grid_file word_input command_line document)
BUILD_DIR=${FUZZ_BUILD_DIR:-build-fuzz}

# Only the targets whose source is in the tree.
kinds=()
for kind in "${KINDS[@]}"; do
    [ -f "fuzz/fuzz_$kind.cpp" ] && kinds+=("$kind")
done
if [ -n "${FUZZ_SECONDS:-}" ]; then
    seconds=$FUZZ_SECONDS
else
    seconds=$(( ${FUZZ_TOTAL_SECONDS:-120} / ${#kinds[@]} ))
    [ "$seconds" -ge 1 ] || seconds=1
fi

# Coverage feedback leaves out the functions listed in fuzz/coverage_ignore.txt;
# the sanitizers still check everything. Neither the compiler's dependency
# lists nor a compiler cache look inside that list, so the build uses a copy
# named by its checksum: a changed list changes the flags and rebuilds.
mkdir -p "$BUILD_DIR"
ignore_sum=$(sha1sum fuzz/coverage_ignore.txt | cut -c1-12)
ignore_list=$(realpath "$BUILD_DIR")/coverage_ignore-$ignore_sum.txt
cp fuzz/coverage_ignore.txt "$ignore_list"
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DQUARRIN_FUZZ=ON \
    -DCMAKE_CXX_FLAGS="-fsanitize-coverage-ignorelist=$ignore_list" \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" -DQUARRIN_BENCHMARKS=OFF -DQUARRIN_TOOLS=OFF
targets=(make_seeds)
for kind in "${kinds[@]}"; do
    targets+=("fuzz_$kind")
done
cmake --build "$BUILD_DIR" -j "$(nproc)" --target "${targets[@]}"

# Copies the kept inputs of one folder into a corpus. A missing folder is
# said out loud (the run goes on without it); a failing copy stops the run.
copy_inputs() {
    local from=$1 to=$2
    if [ ! -d "$from" ]; then
        echo "fuzz: NOTE: no folder $from, so no inputs from it" >&2
        return 0
    fi
    local files=("$from"/*)
    if [ ! -e "${files[0]}" ]; then
        echo "fuzz: NOTE: folder $from is empty" >&2
        return 0
    fi
    cp -- "${files[@]}" "$to/"
    echo "fuzz: ${#files[@]} input(s) from $from"
}

corpus="$BUILD_DIR/corpus"
rm -rf "$corpus"
mkdir -p "$BUILD_DIR/crashes"
for kind in "${kinds[@]}"; do
    mkdir -p "$corpus/$kind"
    if [ "$kind" = puzzle_file ]; then
        # Puzzles as the program saves them, made by the program's own writer.
        "$BUILD_DIR/fuzz/make_seeds" "$corpus/$kind"
    else
        copy_inputs "fuzz/seeds/$kind" "$corpus/$kind"
    fi
    copy_inputs "fuzz/regressions/$kind" "$corpus/$kind"
done
# bench/fuzz_rate.sh wants the targets and their seed corpora only.
[ "${FUZZ_BUILD_ONLY:-0}" = 1 ] && exit 0

run() {
    local target=$1 dir=$2
    echo "== fuzz $target for ${seconds}s"
    QT_QPA_PLATFORM=offscreen "$BUILD_DIR/fuzz/$target" "$dir" \
        -max_total_time="$seconds" -rss_limit_mb=4096 -print_final_stats=1 \
        -artifact_prefix="$BUILD_DIR/crashes/$target-" 2>&1 | tail -n 15
    return "${PIPESTATUS[0]}"
}

for kind in "${kinds[@]}"; do
    run "fuzz_$kind" "$corpus/$kind"
done
echo "fuzz: no crash"
