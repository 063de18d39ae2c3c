#!/usr/bin/env bash
# Builds everything (the benchmarks too, so they keep building) with AddressSanitizer and UndefinedBehaviorSanitizer,
# warnings as errors, and runs every test (the database tests also on a throwaway PostgreSQL server
# and through ODBC).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

build=build/test
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DBRIKKEN_SANITIZE=ON -DBRIKKEN_WERROR=ON -DBRIKKEN_TESTS=ON -DBRIKKEN_BENCHMARKS=ON >/dev/null
cmake --build "$build" -- -j"$(nproc)"

# The database tests also run on a throwaway PostgreSQL server and through
# ODBC; the server is stopped again however the run ends.
source scripts/testdatabaser.sh
trap stop_testdatabaser EXIT
start_testdatabaser

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
