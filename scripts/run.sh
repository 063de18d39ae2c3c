#!/usr/bin/env bash
# Builds the program and starts it on the embedded default database.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

build=build/release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBRIKKEN_TESTS=OFF >/dev/null
cmake --build "$build" -- -j"$(nproc)"

exec "$build/src/ui/brikken" "$@"
