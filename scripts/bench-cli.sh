#!/usr/bin/env bash
# Measures the whole command-line process, start to exit, with hyperfine on
# the synthetic school of 15 classes (408 lesson hours), Release build:
#   plans                 start-up and one query: what every run pays
#   run --generate --save opening, generating and saving the plan
#   run --print           the same opening, printing one page into a PDF
# Prints the median wall time and the mean CPU time (user + system) of each;
# hyperfine's full results go to build/bench/cli.json.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

build=build/bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBRIKKEN_TESTS=OFF -DBRIKKEN_BENCHMARKS=ON >/dev/null
cmake --build "$build" --target brikken-cli brikken-cli-pdf brikken-syntetisk -- -j"$(nproc)"

mappe=$(mktemp -d)
trap 'rm -rf "$mappe"' EXIT
"$build/bench/brikken-syntetisk" --db "sqlite:$mappe/skole.db" --size 15 >/dev/null
cli=$(realpath "$build/src/cli/brikken-cli")
plan=Syntetisk15_1
kopi="cp $mappe/skole.db $mappe/koersel.db"

# QT_QPA_PLATFORM is left alone: the PDF program picks offscreen itself.
hyperfine -N --warmup 5 --runs 100 --export-json "$build/cli.json" \
    -n "plans" --prepare true "$cli --db sqlite:$mappe/skole.db plans" \
    -n "run --generate --save" --prepare "$kopi" \
    "$cli --db sqlite:$mappe/koersel.db run $plan --generate --yes --writable --save" \
    -n "run --print" --prepare "$kopi" \
    "$cli --db sqlite:$mappe/koersel.db run $plan --print h:1.a --pdf $mappe/side.pdf" >/dev/null

jq -r '.results[] | "\(.command)\tmedian \(.median * 1000 | . * 10 | round / 10) ms\tCPU \((.user + .system) * 1000 | . * 10 | round / 10) ms"' \
    "$build/cli.json" | column -t -s $'\t'
