#!/usr/bin/env bash
# Installs from Debian's packages whatever the build, the tests and the
# program need and is not there yet. Quiet when everything is present.
# qt6-translations-l10n makes Qt's own dialogs speak Danish.
# fet-data brings example timetable files of a free program that the import
# tests read. libcadical-dev is the SAT solver of the exact completion.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config clang-format clang-tidy
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 qt6-translations-l10n
    libqt6sql6-sqlite libqt6sql6-psql libqt6sql6-odbc qt6-qpa-plugins
    libgtest-dev libgmock-dev libbenchmark-dev
    postgresql sqlite3 time
    unixodbc odbc-postgresql libsqliteodbc
    xvfb xauth imagemagick xdotool poppler-utils fonts-dejavu-core libxml2-utils python3
    hyperfine jq
    locales
    libsqlite3-dev libpq-dev
    libcadical-dev
    fet-data
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installerer: ${missing[*]}"
    if [ "$(id -u)" -ne 0 ]; then
        sudo=sudo
    else
        sudo=
    fi
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# A Danish locale, so the tests can check that number formats do not depend
# on the C library's locale.
if ! locale -a 2>/dev/null | grep -qi '^da_DK\.utf-\?8$'; then
    if [ "$(id -u)" -ne 0 ]; then
        sudo localedef -i da_DK -f UTF-8 da_DK.UTF-8
    else
        localedef -i da_DK -f UTF-8 da_DK.UTF-8
    fi
fi
