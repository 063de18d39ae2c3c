# Sourced by scripts/test.sh: a throwaway PostgreSQL server and an ODBC data
# source "kora" on it, for the database tests.
#
#   start_testdatabaser   initdb into a temporary folder, start the server on a
#                         free loopback port, write odbcinst.ini and odbc.ini there
#                         and export BRIKKEN_TEST_PG, BRIKKEN_TEST_ODBC, ODBCSYSINI
#                         and ODBCINI
#   stop_testdatabaser    stop the server and remove the folder
#
# The server refuses to run as root; under root it runs as the postgres user
# that Debian's package creates.

testdb_mappe=""
testdb_bin=""

testdb_som_ejer() {
    if [ "$(id -u)" -eq 0 ]; then
        runuser -u postgres -- "$@"
    else
        "$@"
    fi
}

testdb_ledig_port() {
    local port
    for _ in $(seq 1 200); do
        port=$((20000 + RANDOM % 40000))
        if ! (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; then
            echo "$port"
            return 0
        fi
    done
    return 1
}

testdb_odbc_driver() {
    local fil
    for fil in /usr/lib/*/odbc/"$1" /usr/lib/odbc/"$1"; do
        if [ -e "$fil" ]; then
            echo "$fil"
            return 0
        fi
    done
    echo "ODBC-driveren $1 findes ikke" >&2
    return 1
}

start_testdatabaser() {
    testdb_bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
    if [ -z "$testdb_bin" ]; then
        echo "PostgreSQL er ikke installeret (scripts/install-deps.sh)" >&2
        return 1
    fi
    testdb_mappe=$(mktemp -d /tmp/brikken-testdb.XXXXXX)
    chmod 755 "$testdb_mappe"
    mkdir "$testdb_mappe/data"
    if [ "$(id -u)" -eq 0 ]; then
        chown postgres: "$testdb_mappe" "$testdb_mappe/data"
    fi
    # Danish collation by default, as on a school's own server: the schema's
    # byte-order collation must hold against it.
    testdb_som_ejer "$testdb_bin/initdb" -D "$testdb_mappe/data" -U postgres --auth=trust -E UTF8 \
        --locale=C.UTF-8 --locale-provider=icu --icu-locale=da-DK \
        >"$testdb_mappe/initdb.log" 2>&1 || { cat "$testdb_mappe/initdb.log" >&2; return 1; }

    local port forsoeg
    for forsoeg in 1 2 3 4 5; do
        port=$(testdb_ledig_port) || break
        if testdb_som_ejer "$testdb_bin/pg_ctl" -D "$testdb_mappe/data" -l "$testdb_mappe/server.log" -w -t 60 \
            -o "-p $port -k $testdb_mappe -c listen_addresses=127.0.0.1 -c fsync=off -c synchronous_commit=off -c full_page_writes=off -c max_connections=60" \
            start >/dev/null; then
            break
        fi
        port=""
    done
    if [ -z "$port" ]; then
        echo "PostgreSQL-testserveren kunne ikke startes:" >&2
        cat "$testdb_mappe/server.log" >&2
        return 1
    fi

    local psql_driver sqlite_driver
    psql_driver=$(testdb_odbc_driver psqlodbcw.so) || return 1
    sqlite_driver=$(testdb_odbc_driver libsqlite3odbc.so) || return 1
    cat >"$testdb_mappe/odbcinst.ini" <<EOT
[PostgreSQL Unicode]
Description=PostgreSQL ODBC driver (Unicode)
Driver=$psql_driver

[SQLite3]
Description=SQLite3 ODBC driver
Driver=$sqlite_driver
EOT
    cat >"$testdb_mappe/odbc.ini" <<EOT
[kora]
Description=Brikken++ test database
Driver=PostgreSQL Unicode
Servername=127.0.0.1
Port=$port
Database=postgres
Username=postgres
EOT
    export ODBCSYSINI="$testdb_mappe"
    export ODBCINI="$testdb_mappe/odbc.ini"
    export BRIKKEN_TEST_PG="postgresql://postgres@127.0.0.1:$port/postgres"
    export BRIKKEN_TEST_ODBC="kora"
}

stop_testdatabaser() {
    if [ -n "$testdb_mappe" ] && [ -d "$testdb_mappe" ]; then
        testdb_som_ejer "$testdb_bin/pg_ctl" -D "$testdb_mappe/data" -m immediate stop >/dev/null 2>&1 || true
        rm -rf "$testdb_mappe"
    fi
    testdb_mappe=""
}
