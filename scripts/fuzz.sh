#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time.
#   FUZZ_SECONDS   seconds per target (default 60)
# A crash leaves its input in build-fuzz/crashes/ and fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."

FUZZ_SECONDS=${FUZZ_SECONDS:-60}
BUILD_DIR=${FUZZ_BUILD_DIR:-build-fuzz}

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
    -DCMAKE_CXX_FLAGS="-fsanitize-coverage-ignorelist=$ignore_list"
targets=(fuzz_puzzle_file make_seeds)
[ -f fuzz/fuzz_grid_file.cpp ] && targets+=(fuzz_grid_file)
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
mkdir -p "$corpus/puzzle_file" "$BUILD_DIR/crashes"
"$BUILD_DIR/fuzz/make_seeds" "$corpus/puzzle_file"
copy_inputs fuzz/regressions/puzzle_file "$corpus/puzzle_file"
if [ -x "$BUILD_DIR/fuzz/fuzz_grid_file" ]; then
    mkdir -p "$corpus/grid_file"
    copy_inputs fuzz/seeds/grid_file "$corpus/grid_file"
    copy_inputs fuzz/regressions/grid_file "$corpus/grid_file"
fi
# bench/fuzz_rate.sh wants the targets and their seed corpora only.
[ "${FUZZ_BUILD_ONLY:-0}" = 1 ] && exit 0

run() {
    local target=$1 dir=$2
    echo "== fuzz $target for ${FUZZ_SECONDS}s"
    QT_QPA_PLATFORM=offscreen "$BUILD_DIR/fuzz/$target" "$dir" \
        -max_total_time="$FUZZ_SECONDS" -rss_limit_mb=4096 -print_final_stats=1 \
        -artifact_prefix="$BUILD_DIR/crashes/$target-" 2>&1 | tail -n 15
    return "${PIPESTATUS[0]}"
}

run fuzz_puzzle_file "$corpus/puzzle_file"
if [ -x "$BUILD_DIR/fuzz/fuzz_grid_file" ]; then
    run fuzz_grid_file "$corpus/grid_file"
fi
echo "fuzz: no crash"
