#!/usr/bin/env bash
# Our time to a complete timetable against the peer's on every fet-data file
# that imports, and the table of docs/rigtige-skoler.md.
#
#   side-om-side.sh [--seconds S] [--cli PROGRAM] [--out FILE] [FET-FILE ...]
#
# Per file, one after the other so that the two never run at once: fet.sh
# (fet-cl, S seconds, default 60) and brikken.sh (the completion's --seconds S,
# PROGRAM or else build/rel). Both are cached, so a rerun measures only a new build of ours
# and files not yet run. Then the close cases (side_om_side.py --taette) a
# second time, in the caches named "-2". Writes the table to FILE (default
# /tmp/side-om-side.md), headed by the commit and the program measured.
set -euo pipefail
HER=$(cd "$(dirname "$0")" && pwd)
ROD=$(cd "$HER/../.." && pwd)

sekunder=60
ud=/tmp/side-om-side.md
cli=
filer=()
while [ $# -gt 0 ]; do
    case $1 in
        --seconds) sekunder=$2; shift 2 ;;
        --cli) cli=$2; shift 2 ;;
        --out) ud=$2; shift 2 ;;
        -h|--help) sed -n '2,12p' "$0"; exit 0 ;;
        -*) echo "ukendt valg: $1" >&2; exit 2 ;;
        *) filer+=("$1"); shift ;;
    esac
done
# Without --cli: this tree's Release build, brought up to date, so the table names its commit.
program="commit $(git -C "$ROD" rev-parse --short HEAD) (build/rel)"
if [ -z "$cli" ]; then
    cli=$ROD/build/rel/src/cli/brikken-cli
    [ -f "$ROD/build/rel/build.ninja" ] ||
        cmake -S "$ROD" -B "$ROD/build/rel" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBRIKKEN_TESTS=OFF >/dev/null
    cmake --build "$ROD/build/rel" --target brikken-cli -- -j2 >/dev/null
else
    program=$cli
fi
[ ${#filer[@]} -gt 0 ] || mapfile -t filer < <(python3 "$HER/side_om_side.py" --filer)

# One file in both programs, the peer first.
begge() {
    local cache_endelse=$1 fil=$2
    "$HER/fet.sh" --seconds "$sekunder" --cache "/tmp/fet-resultater$cache_endelse" "$fil" >/dev/null
    "$HER/brikken.sh" --seconds "$sekunder" --cli "$cli" --cache "/tmp/brikken-resultater$cache_endelse" "$fil" >/dev/null
}

for fil in "${filer[@]}"; do
    begge "" "$fil"
done
mapfile -t taette < <(python3 "$HER/side_om_side.py" --taette --seconds "$sekunder" "${filer[@]}")
for fil in "${taette[@]}"; do
    begge -2 "$fil"
done

{
    echo "Ours: $program, brikken-cli $(sha1sum "$cli" | cut -c1-10)," \
        "$(date -u +%Y-%m-%d). Peer: $(dpkg-query -W -f='fet ${Version}' fet). ${#taette[@]} close cases run twice."
    echo
    python3 "$HER/side_om_side.py" --seconds "$sekunder" "${filer[@]}"
} >"$ud"
echo "Skrevet: $ud"
