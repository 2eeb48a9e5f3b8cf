#!/usr/bin/env bash
# Builds everything and runs every test. Installs missing Debian packages first.
#   scripts/test.sh            the whole suite (what CI runs)
# Environment: BUILD_DIR (default build), JOBS (default: number of cores).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

BUILD_DIR=${BUILD_DIR:-build}
JOBS=${JOBS:-$(nproc)}

echo "== build ($BUILD_DIR)"
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUARRIN_WERROR=ON
cmake --build "$BUILD_DIR" -j "$JOBS"

echo "== tests"
(cd "$BUILD_DIR" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$JOBS")
