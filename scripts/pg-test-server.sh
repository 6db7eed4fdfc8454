#!/usr/bin/env bash
# Starts a throwaway PostgreSQL server on 127.0.0.1 for the store tests and prints the BRIVANE_PG value.
# Usage: pg-test-server.sh start|stop|resume   (data in $BRIVANE_PG_DIR, default /tmp/brivane-pg)
# resume starts a stopped server again on its existing data, as a restart for maintenance would.
# With BRIVANE_PG_SSL_DIR (a folder holding server.crt and server.key, as make-hall-ca.sh makes them)
# the server also speaks TLS with that certificate.
set -euo pipefail
dir=${BRIVANE_PG_DIR:-/tmp/brivane-pg}
port=${BRIVANE_PG_PORT:-55432}
ssl_dir=${BRIVANE_PG_SSL_DIR:-}
bindir=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
[ -n "$bindir" ] || { echo "PostgreSQL server binaries not found" >&2; exit 1; }
as_pg() { if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi; }

# The server's options; the key is copied where the server's own user may read it.
server_options() {
  local opts="-h 127.0.0.1 -p $port -k $dir -c fsync=off -c synchronous_commit=off -c full_page_writes=off -c track_commit_timestamp=on"
  if [ -n "$ssl_dir" ]; then
    mkdir -p "$dir/ssl"
    cp "$ssl_dir/server.crt" "$ssl_dir/server.key" "$dir/ssl/"
    chmod 0600 "$dir/ssl/server.key"
    [ "$(id -u)" -eq 0 ] && chown -R postgres:postgres "$dir/ssl"
    opts="$opts -c ssl=on -c ssl_cert_file=$dir/ssl/server.crt -c ssl_key_file=$dir/ssl/server.key -c log_connections=on"
  fi
  echo "$opts"
}

case "${1:-start}" in
start)
  if [ -f "$dir/data/postmaster.pid" ] && as_pg "$bindir/pg_ctl" -D "$dir/data" status >/dev/null 2>&1; then
    :
  else
    rm -rf "$dir"
    mkdir -p "$dir"
    [ "$(id -u)" -eq 0 ] && chown postgres:postgres "$dir"
    echo postgres > "$dir/pw"
    [ "$(id -u)" -eq 0 ] && chown postgres:postgres "$dir/pw"
    (cd /tmp && as_pg "$bindir/initdb" -D "$dir/data" -A md5 -U postgres --pwfile="$dir/pw" >/dev/null)
    (cd /tmp && as_pg "$bindir/pg_ctl" -D "$dir/data" -l "$dir/log" -w \
      -o "$(server_options)" start >/dev/null)
    for _ in $(seq 1 30); do
      "$bindir/pg_isready" -h 127.0.0.1 -p "$port" >/dev/null 2>&1 && break
      sleep 1
    done
    (cd /tmp && PGPASSWORD=postgres "$bindir/psql" -q -h 127.0.0.1 -p "$port" -U postgres -d postgres \
      -c "CREATE ROLE brivane LOGIN CREATEDB CREATEROLE PASSWORD 'brivane'" \
      -c "CREATE DATABASE brivane OWNER brivane" >/dev/null)
  fi
  echo "127.0.0.1:$port;brivane;brivane;brivane"
  ;;
resume)
  (cd /tmp && as_pg "$bindir/pg_ctl" -D "$dir/data" -l "$dir/log" -w \
    -o "$(server_options)" start >/dev/null)
  ;;
stop)
  [ -d "$dir/data" ] && (cd /tmp && as_pg "$bindir/pg_ctl" -D "$dir/data" -m fast stop >/dev/null 2>&1 || true)
  ;;
esac
