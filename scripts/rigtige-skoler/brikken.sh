#!/usr/bin/env bash
# Imports FET files into fresh SQLite plans, generates and completes them with
# brikken-cli, and checks the published CSV with kontroller.py.
#
#   brikken.sh [--seconds S] [--cache DIR] [--cli PROGRAM] [--again] [FET-FILE ...] [-- RUN-OPTIONS]
#
# Without files: every fet-data file whose week fits 5 days x 8 hours.
# --seconds is the completion's --seconds (default 10). --cli defaults to the
# Release build of this repository (build/rel, built when missing). Options
# after -- go to `run` too (e.g. -- --no-spread).
# Per file: DIR/KEY-Ss-BINARY/ holds plan.sqlite, import.txt, run.txt, out.csv,
# kontrol.txt and resultat.json; BINARY is a hash of brikken-cli, so a new
# build is measured afresh and an unchanged one is not run again (unless --again).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/faelles.sh"
ROD=$(cd "$HER/../.." && pwd)

sekunder=10
cache=/tmp/brikken-resultater
cli=
igen=0
filer=()
koerselsvalg=()
while [ $# -gt 0 ]; do
    case $1 in
        --seconds) sekunder=$2; shift 2 ;;
        --cache) cache=$2; shift 2 ;;
        --cli) cli=$2; shift 2 ;;
        --again) igen=1; shift ;;
        --) shift; koerselsvalg=("$@"); break ;;
        -h|--help) sed -n '2,14p' "$0"; exit 0 ;;
        -*) echo "ukendt valg: $1" >&2; exit 2 ;;
        *) filer+=("$1"); shift ;;
    esac
done

sikr_pakker fet-data python3
if [ -z "$cli" ]; then
    cli=$ROD/build/rel/src/cli/brikken-cli
    if [ ! -x "$cli" ]; then
        cmake -S "$ROD" -B "$ROD/build/rel" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBRIKKEN_TESTS=OFF >/dev/null
        cmake --build "$ROD/build/rel" --target brikken-cli -- -j2
    fi
fi
program=$(sha1sum "$cli" | cut -c1-10)
valgnavn=$(printf '%s' "${koerselsvalg[*]:-}" | tr -c 'a-zA-Z0-9' '_')
mkdir -p "$cache"

# Wall time of a command in seconds, into the file named first.
tidtag() {
    local ud=$1 start slut status=0
    shift
    start=$(date +%s%N)
    "$@" || status=$?
    slut=$(date +%s%N)
    echo $(( (slut - start) / 1000000 )) >"$ud"
    return $status
}

vaelg_filer "${filer[@]}" | while read -r fil; do
    mappe="$cache/$(noegle "$fil")-${sekunder}s-${program}${valgnavn:+-$valgnavn}"
    if [ $igen -eq 0 ] && [ -s "$mappe/resultat.json" ]; then
        echo "gemt:   $fil" >&2
        continue
    fi
    rm -rf "$mappe"
    mkdir -p "$mappe"
    echo "kører:  $fil" >&2
    db=sqlite:$mappe/plan.sqlite
    (
        cd "$mappe"
        status=0
        timeout 300 "$cli" --db "$db" init >init.txt 2>&1 || status=$?
        [ $status -eq 0 ] && { timeout 300 "$cli" --db "$db" import-fet "$fil" --plan P >import.txt 2>&1 || status=$?; }
        echo $status >import.status
        if [ $status -eq 0 ]; then
            status=0
            tidtag run.ms timeout 900 "$cli" --db "$db" run P --generate --yes --writable --complete \
                --seconds "$sekunder" --save --export-csv out.csv "${koerselsvalg[@]}" >run.txt 2>&1 || status=$?
            echo $status >run.status
            if [ -f out.csv ]; then
                status=0
                python3 "$HER/kontroller.py" out.csv --fet "$fil" >kontrol.txt 2>&1 || status=$?
                echo $status >kontrol.status
                python3 "$HER/kontroller.py" out.csv --fet "$fil" --json >kontrol.json 2>/dev/null || true
            fi
        fi
    )
    python3 "$HER/brikkenresultat.py" "$fil" "$mappe" >"$mappe/resultat.json"
    cat "$mappe/resultat.json"
done
