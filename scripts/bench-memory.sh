#!/usr/bin/env bash
# Peak resident memory of brikken-cli opening, generating and saving one
# synthetic school per size on SQLite, each in a process of its own.
#   scripts/bench-memory.sh [SIZE ...]    (classes; 20 40 80 150 by default)
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

build=build/bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBRIKKEN_TESTS=OFF -DBRIKKEN_BENCHMARKS=ON >/dev/null
cmake --build "$build" --target brikken-cli brikken-syntetisk -- -j"$(nproc)" >/dev/null

folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT

sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(20 40 80 150)
printf 'hold\tmaks. RSS MB\n'
for size in "${sizes[@]}"; do
    db="$folder/skole$size.sqlite"
    "$build/bench/brikken-syntetisk" --db "$db" --size "$size" >/dev/null
    /usr/bin/time -f %M -o "$folder/rss" "$build/src/cli/brikken-cli" --db "$db" run "Syntetisk${size}_1" \
        --generate --yes --writable --save >/dev/null 2>&1
    awk -v size="$size" '{ printf "%s\t%.1f\n", size, $1 / 1024 }' "$folder/rss"
done
