#!/usr/bin/env bash
# The whole measurement: inventory, peer runs, our runs, table.
#
#   alt.sh [--fet-seconds N] [--seconds S] [--out DIR] [FET-FILE ...]
#
# Defaults: fet-cl 60 s per file, our completion 10 s, results in
# /tmp/rigtige-skoler (opgoer.csv, opgoer.md, tabel.md); the runs are cached
# in /tmp/fet-resultater and /tmp/brikken-resultater. Without files: every
# fet-data file whose week fits 5 x 8.
set -euo pipefail
HER=$(cd "$(dirname "$0")" && pwd)

fet_sekunder=60
sekunder=10
ud=/tmp/rigtige-skoler
filer=()
while [ $# -gt 0 ]; do
    case $1 in
        --fet-seconds) fet_sekunder=$2; shift 2 ;;
        --seconds) sekunder=$2; shift 2 ;;
        --out) ud=$2; shift 2 ;;
        -h|--help) sed -n '2,10p' "$0"; exit 0 ;;
        -*) echo "ukendt valg: $1" >&2; exit 2 ;;
        *) filer+=("$1"); shift ;;
    esac
done
mkdir -p "$ud"

python3 "$HER/opgoer.py" --csv "$ud/opgoer.csv" --md "$ud/opgoer.md" >/dev/null
"$HER/fet.sh" --seconds "$fet_sekunder" "${filer[@]}" >/dev/null
"$HER/brikken.sh" --seconds "$sekunder" "${filer[@]}" >/dev/null
python3 "$HER/tabel.py" --fet-seconds "$fet_sekunder" --brikken-seconds "$sekunder" "${filer[@]}" >"$ud/tabel.md"
echo "Skrevet: $ud/opgoer.csv $ud/opgoer.md $ud/tabel.md"
