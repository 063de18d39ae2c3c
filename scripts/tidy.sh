#!/usr/bin/env bash
# Runs clang-tidy with the checks of .clang-tidy over the program, the tests
# and the benchmarks, and fails on any finding.
#   scripts/tidy.sh                every source file
#   scripts/tidy.sh REGEX...       only the files whose path matches
# Qt's generated files (moc, resources) live in the build folder and are
# not checked; no source includes them, so nothing needs to be generated first.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/tidy
# The sanitizer build adds a source of its own; the flags mean nothing to clang-tidy.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DBRIKKEN_SANITIZE=ON -DBRIKKEN_TESTS=ON \
    -DBRIKKEN_BENCHMARKS=ON -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null

if [ $# -eq 0 ]; then
    set -- "^$PWD/(src|tests|bench)/"
fi
# .clang-tidy makes every finding an error, so any finding fails the run.
# The counts of suppressed warnings in headers (Qt's, the library's) are left out.
run-clang-tidy -quiet -j "$(nproc)" -p "$build" "$@" 2>&1 | { grep -Ev '[0-9]+ warnings? generated\.' || true; }
