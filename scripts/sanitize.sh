#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer (gcc)
# and runs the whole test suite under them. Any report fails the run: UBSan
# stops at the first finding, ASan aborts, and leak checking is on with no
# suppressions (the suite, Qt and fontconfig included, runs leak-free).
# Then the end-to-end run (scripts/e2e.sh) drives the sanitized program on a
# real X server; it must end cleanly when its editor is closed.
#   SANITIZE_BUILD_DIR   build folder (default build-asan)
#   JOBS                 parallel jobs (default: number of cores)
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD_DIR=${SANITIZE_BUILD_DIR:-build-asan}
JOBS=${JOBS:-$(nproc)}
started=$(date +%s)

echo "== sanitizer build ($BUILD_DIR)"
# The benchmarks and screenshot tools are built by the plain build; the
# sanitized one needs what the tests run. Line tables are enough for the
# reports' stacks and keep the objects small.
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_COMPILER=g++ -DQUARRIN_SANITIZE=ON -DQUARRIN_WERROR=ON \
    -DQUARRIN_BENCHMARKS=OFF -DQUARRIN_TOOLS=OFF -DCMAKE_CXX_FLAGS_DEBUG=-g1 \
    -DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld
cmake --build "$BUILD_DIR" -j "$JOBS"

echo "== tests under ASan + UBSan"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=1:check_initialization_order=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
# The browser test plays the pages in Chromium, whose code the sanitizers do
# not see; the plain build's run covers it.
(cd "$BUILD_DIR" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$JOBS" --timeout 120 \
    -LE browser)

echo "== end-to-end run of the sanitized program"
E2E_PROGRAM="$BUILD_DIR/src/app/word_quarrin" E2E_OUT="$BUILD_DIR/e2e" bash scripts/e2e.sh

echo "sanitize: clean ($(($(date +%s) - started)) s)"
