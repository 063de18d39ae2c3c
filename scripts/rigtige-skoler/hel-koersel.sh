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
# it placed; perf measures the CPU) and the medians with ours against the peer. Default 5 rounds;
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
sikr_pakker fet fet-data linux-perf
mappe=$(mktemp -d)
trap 'rm -rf "$mappe"' EXIT
"$cli" --db "sqlite:$mappe/import.sqlite" init >/dev/null
"$cli" --db "sqlite:$mappe/import.sqlite" import-fet "$fil" --plan P >/dev/null

# One process: "NAME WALL CPU PLACED" in seconds, appended to the results.
# CPU is perf's task-clock of the process: the kernel's per-tick user and
# system times are too coarse on this virtual machine.
maal() {
    local navn=$1
    shift
    local start slut cpu placeret
    start=$(date +%s%N)
    perf stat -x, -e task-clock -o "$mappe/cpu" "$@" >"$mappe/ud" 2>&1 || true
    slut=$(date +%s%N)
    cpu=$(awk -F, '/task-clock/ { print $1 / 1000 }' "$mappe/cpu")
    placeret=$(grep -o 'PL=[0-9]* LL=[0-9]*' "$mappe/ud" | tail -1 || true)
    [ -n "$placeret" ] || placeret=$(grep -m1 -o 'Simulation successful\|Time exceeded' "$mappe/ud" || true)
    awk -v n="$navn" -v s="$start" -v e="$slut" -v c="$cpu" -v p="$placeret" \
        'BEGIN { printf "%s %.3f %.4f %s\n", n, (e - s) / 1e9, c, p }' | tee -a "$mappe/resultater"
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
    print("%-13s median wall %.3f s, CPU %.4f s; fet-cl / this: wall %.1f×, CPU %.1f×" % (navn, v, c, pv / v, pc / c))
EOF
