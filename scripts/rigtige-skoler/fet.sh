#!/usr/bin/env bash
# Runs the peer timetabler fet-cl on FET files, one at a time, and caches its
# timetables and figures.
#
#   fet.sh [--seconds N] [--cache DIR] [--again | --reparse] [FET-FILE ...]
#
# Without files: every fet-data file whose week fits 5 days x 8 hours.
# Per file: DIR/KEY-Ns/ holds fet-cl's output, log.txt and resultat.json
# (fetresultat.py, with the wall time). A file with resultat.json is not run
# again unless --again is given; --reparse only reads the cached output again
# (after a change of fetresultat.py). Fixed random seeds make a rerun repeat.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/faelles.sh"

sekunder=60
cache=/tmp/fet-resultater
igen=0
igen_laes=0
filer=()
while [ $# -gt 0 ]; do
    case $1 in
        --seconds) sekunder=$2; shift 2 ;;
        --cache) cache=$2; shift 2 ;;
        --again) igen=1; shift ;;
        --reparse) igen_laes=1; shift ;;
        -h|--help) sed -n '2,12p' "$0"; exit 0 ;;
        -*) echo "ukendt valg: $1" >&2; exit 2 ;;
        *) filer+=("$1"); shift ;;
    esac
done

sikr_pakker fet fet-data python3
mkdir -p "$cache"

vaelg_filer "${filer[@]}" | while read -r fil; do
    mappe="$cache/$(noegle "$fil")-${sekunder}s"
    if [ $igen_laes -eq 1 ] && [ -s "$mappe/resultat.json" ]; then
        brugt=$(python3 -c "import json, sys; print(json.load(open(sys.argv[1]))['sekunder'])" "$mappe/resultat.json")
        python3 "$HER/fetresultat.py" "$fil" "$mappe/ud" --sekunder "$brugt" --graense "$sekunder" >"$mappe/resultat.ny"
        mv "$mappe/resultat.ny" "$mappe/resultat.json"
        continue
    fi
    if [ $igen -eq 0 ] && [ -s "$mappe/resultat.json" ]; then
        echo "gemt:   $fil" >&2
        continue
    fi
    rm -rf "$mappe"
    mkdir -p "$mappe"
    echo "kører:  $fil (højst $sekunder s)" >&2
    start=$(date +%s.%N)
    # Only the XML timetables and the conflicts are read; the HTML pages are left out.
    nice fet-cl --inputfile="$fil" --outputdir="$mappe/ud" --timelimitseconds="$sekunder" \
        --randomseeds10=1 --randomseeds11=2 --randomseeds12=3 \
        --randomseeds20=4 --randomseeds21=5 --randomseeds22=6 \
        --writetimetablesdayshorizontal=false --writetimetablesdaysvertical=false \
        --writetimetablestimehorizontal=false --writetimetablestimevertical=false \
        --writetimetablesstatistics=false --htmllevel=0 \
        </dev/null >"$mappe/log.txt" 2>&1 || echo "fet-cl sluttede med status $?" >>"$mappe/log.txt"
    brugt=$(python3 -c "import sys; print(round(float(sys.argv[1]) - float(sys.argv[2]), 2))" "$(date +%s.%N)" "$start")
    python3 "$HER/fetresultat.py" "$fil" "$mappe/ud" --sekunder "$brugt" --graense "$sekunder" >"$mappe/resultat.json"
    rm -rf "$mappe/ud/csv"
    cat "$mappe/resultat.json"
done
