#!/usr/bin/env bash
# Starts a throw-away PostgreSQL server for the tests of the results store, as the unprivileged user postgres, on
# 127.0.0.1 and a Unix socket of its own only, and prints the exports that name it:
#   eval "$(scripts/start-postgres.sh)"
# Idempotent: a server already running there is reused. `scripts/start-postgres.sh stop` stops it.
set -euo pipefail
base=${VELTRANE_PG_BASE:-/tmp/veltrane-pg-$(id -u)}
port=${VELTRANE_PG_PORT:-55432}
bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -1)
[ -n "$bin" ] && [ -x "$bin/initdb" ] || { echo "no PostgreSQL server: install postgresql" >&2; exit 1; }
as_pg() { if [ "$(id -un)" = postgres ]; then sh -c "$1"; else su postgres -s /bin/sh -c "$1"; fi; }
if [ "${1:-}" = stop ]; then
  [ -d "$base/db" ] && as_pg "'$bin/pg_ctl' -D '$base/db' -m fast stop >/dev/null 2>&1" || true
  exit 0
fi
mkdir -p "$base"
chown postgres "$base"
chmod 700 "$base"
if [ ! -f "$base/db/PG_VERSION" ]; then
  rm -rf "$base/db"
  as_pg "'$bin/initdb' -D '$base/db' -A trust -U postgres >'$base/initdb.log' 2>&1"
  # Kept in the server's own settings, so a test that stops it can start it again the same way.
  cat >>"$base/db/postgresql.conf" <<CONF
port = $port
listen_addresses = '127.0.0.1'
unix_socket_directories = '$base'
CONF
fi
if ! as_pg "'$bin/pg_ctl' -D '$base/db' status >/dev/null 2>&1"; then
  as_pg "'$bin/pg_ctl' -D '$base/db' -l '$base/log' -w -t 60 start >/dev/null"
fi
as_pg "'$bin/psql' -h 127.0.0.1 -p $port -U postgres -d postgres -tAc \"SELECT 1 FROM pg_database WHERE datname='veltrane'\"" |
  grep -q 1 || as_pg "'$bin/createdb' -h 127.0.0.1 -p $port -U postgres veltrane"
echo "export VELTRANE_TEST_PG=postgresql://postgres@127.0.0.1:$port/veltrane"
echo "export VELTRANE_TEST_PG_DATA=$base/db"
echo "export VELTRANE_TEST_PG_BIN=$bin"
