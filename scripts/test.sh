#!/usr/bin/env bash
# Builds everything and runs every test: the CTest suite, an end-to-end run of
# the real program, the suite again under sanitizers, and the fuzz targets for
# a bounded time. Installs missing Debian packages first. This is what CI runs.
# Environment: BUILD_DIR (default build), JOBS (default: number of cores).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

BUILD_DIR=${BUILD_DIR:-build}
JOBS=${JOBS:-$(nproc)}

stage() { echo "== $1 (at ${SECONDS}s)"; }
stage "build ($BUILD_DIR)"
# Line tables only: enough for a crash's stack, and much less to compile and link.
# Linked with lld, which links the many test programs several times faster.
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUARRIN_WERROR=ON \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" -DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld
cmake --build "$BUILD_DIR" -j "$JOBS"

stage "tests"
(cd "$BUILD_DIR" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$JOBS")

stage "end-to-end run of the program (output in $BUILD_DIR/e2e)"
E2E_PROGRAM="$BUILD_DIR/src/app/word_quarrin" E2E_OUT="$BUILD_DIR/e2e" bash scripts/e2e.sh

stage "sanitizers: the suite and the end-to-end run under ASan + UBSan"
JOBS="$JOBS" bash scripts/sanitize.sh

stage "fuzz every file reader"
bash scripts/fuzz.sh

echo "test: every stage passed (${SECONDS}s)"
