#!/usr/bin/env bash
# Builds the benchmarks (Release) and runs them on synthetic schools: on
# SQLite and on a throwaway PostgreSQL server, started and stopped here.
# Arguments go to the benchmark program, e.g.
#   scripts/bench.sh --benchmark_filter=Gem --benchmark_repetitions=5
# The results are also written to build/bench/resultater.json.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

build=build/bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBRIKKEN_TESTS=OFF -DBRIKKEN_BENCHMARKS=ON >/dev/null
cmake --build "$build" --target brikken-bench brikken-syntetisk -- -j"$(nproc)"

source scripts/testdatabaser.sh
trap stop_testdatabaser EXIT
start_testdatabaser

"$build/bench/brikken-bench" --benchmark_out="$build/resultater.json" --benchmark_out_format=json "$@"
