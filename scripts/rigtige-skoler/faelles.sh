# Shared by fet.sh and brikken.sh: packages and the cache key of a file.

EKSEMPLER=/usr/share/doc/fet-data/examples/
HER=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# Installs the Debian packages the measurement needs when one is missing.
sikr_pakker() {
    local mangler=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || mangler+=("$p")
    done
    [ ${#mangler[@]} -eq 0 ] && return 0
    local sudo=
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    echo "Installerer: ${mangler[*]}" >&2
    $sudo apt-get update -qq && DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${mangler[@]}" >&2
}

# A file's folder name in the cache: its path below the examples, / as __.
noegle() {
    local sti=${1#"$EKSEMPLER"}
    sti=${sti#/}
    sti=${sti%.fet}
    printf '%s' "${sti//\//__}"
}

# The files given, or else every fet-data file whose week fits 5 x 8.
vaelg_filer() {
    if [ $# -gt 0 ]; then
        printf '%s\n' "$@"
    else
        python3 "$HER/opgoer.py" --passer 5x8
    fi
}
