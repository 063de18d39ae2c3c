#!/usr/bin/env bash
# The whole command-line run of one school against fet-cl on the same file,
# in rounds that alternate the programs, one process at a time.
#
#   hel-koersel.sh [--rounds N] [--cli PROGRAM] [--seconds S] FET-FILE
#
# Imports the file once into SQLite; then per round: fet-cl (S seconds, default
# 60, its own random seeds), `run P --generate --yes --writable --save` and the
# same with `--complete --seconds S`, each of ours on a fresh copy of the
# imported database. Prints one line per process (wall and CPU seconds, what
# it placed) and the medians with ours against the peer. Default 5 rounds;
# PROGRAM defaults to build/rel's brikken-cli.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/faelles.sh"
ROD=$(cd "$HER/../.." && pwd)

runder=5
sekunder=60
cli=$ROD/build/rel/src/cli/brikken-cli
fil=
while [ $# -gt 0 ]; do
    case $1 in
        --rounds) runder=$2; shift 2 ;;
        --cli) cli=$2; shift 2 ;;
        --seconds) sekunder=$2; shift 2 ;;
        -h|--help) sed -n '2,12p' "$0"; exit 0 ;;
        -*) echo "ukendt valg: $1" >&2; exit 2 ;;
        *) fil=$1; shift ;;
    esac
done
[ -n "$fil" ] || { echo "brug: hel-koersel.sh [--rounds N] [--cli PROGRAM] FET-FILE" >&2; exit 2; }
sikr_pakker fet fet-data
mappe=$(mktemp -d)
trap 'rm -rf "$mappe"' EXIT
"$cli" --db "sqlite:$mappe/import.sqlite" init >/dev/null
"$cli" --db "sqlite:$mappe/import.sqlite" import-fet "$fil" --plan P >/dev/null

# One process: "NAME WALL CPU", and what it placed, appended to the results.
maal() {
    local navn=$1
    shift
    local start slut
    start=$(date +%s%N)
    /usr/bin/time -f '%U %S' -o "$mappe/cpu" "$@" >"$mappe/ud" 2>&1 || true
    slut=$(date +%s%N)
    read -r bruger system <"$mappe/cpu"
    local placeret
    placeret=$(grep -o 'PL=[0-9]* LL=[0-9]*' "$mappe/ud" | tail -1 || true)
    [ -n "$placeret" ] || placeret=$(grep -m1 -o 'Simulation successful\|Time exceeded' "$mappe/ud" || true)
    awk -v n="$navn" -v s="$start" -v e="$slut" -v b="$bruger" -v k="$system" -v p="$placeret" \
        'BEGIN { printf "%s %.3f %.3f %s\n", n, (e - s) / 1e9, b + k, p }' | tee -a "$mappe/resultater"
}

for runde in $(seq "$runder"); do
    echo "runde $runde" >&2
    rm -rf "$mappe/fet"
    maal fet-cl fet-cl --inputfile="$fil" --outputdir="$mappe/fet" --timelimitseconds="$sekunder" \
        --htmllevel=0 --writetimetablesdayshorizontal=false --writetimetablesdaysvertical=false \
        --writetimetablestimehorizontal=false --writetimetablestimevertical=false \
        --writetimetablesstatistics=false
    cp "$mappe/import.sqlite" "$mappe/p.sqlite"
    maal run "$cli" --db "sqlite:$mappe/p.sqlite" run P --generate --yes --writable --save
    cp "$mappe/import.sqlite" "$mappe/p.sqlite"
    maal run--complete "$cli" --db "sqlite:$mappe/p.sqlite" run P --generate --yes --writable --complete \
        --seconds "$sekunder" --save
done

python3 - "$mappe/resultater" <<'EOF'
import statistics, sys
tider = {}
for linje in open(sys.argv[1]):
    navn, vaeg, cpu = linje.split()[:3]
    tider.setdefault(navn, []).append((float(vaeg), float(cpu)))
peer = tider["fet-cl"]
pv, pc = statistics.median(v for v, _ in peer), statistics.median(c for _, c in peer)
for navn, t in tider.items():
    v, c = statistics.median(x for x, _ in t), statistics.median(y for _, y in t)
    print("%-13s median wall %.3f s, CPU %.3f s; fet-cl / this: wall %.1f×, CPU %.1f×" % (navn, v, c, pv / v, pc / c))
EOF
