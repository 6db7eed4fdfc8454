#!/usr/bin/env bash
# Runs brivane-bench on the throwaway PostgreSQL server of pg-test-server.sh while that server is
# killed (pg_ctl -m immediate, as a power cut would) and started again 3 s later, a few times.
# The benchmark's figures then say whether a token told as issued was lost or a number handed out twice.
# The server runs with synchronous_commit off for the tests' speed; the benchmark's database turns it on
# again, since without it a commit the server has answered may itself be lost in a crash.
# Usage: bench-server-kills.sh [KILLS] [SECONDS]   (server: $BRIVANE_PG_DIR, $BRIVANE_PG_PORT as for
# pg-test-server.sh; the benchmark in $BRIVANE_BUILD/bin, default build/bin)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
kills=${1:-3}
seconds=${2:-60}
dir=${BRIVANE_PG_DIR:-/tmp/brivane-pg}
port=${BRIVANE_PG_PORT:-55432}
bench=${BRIVANE_BUILD:-$root/build}/bin/brivane-bench
bindir=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
as_pg() { if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi; }

"$root/scripts/pg-test-server.sh" start >/dev/null
db=bench_kills_$$
(cd /tmp && PGPASSWORD=brivane "$bindir/psql" -q -h 127.0.0.1 -p "$port" -U brivane -d brivane \
  -c "create database $db" -c "alter database $db set synchronous_commit to on" >/dev/null)
"$bench" --pg "127.0.0.1:$port;$db;brivane;brivane" --kiosks 4 --kiosk-pause 20 --counters 8 \
  --counter-pause 50 --boards 3 --seconds "$seconds" &
pid=$!
# Every kill and restart (about 4 s) falls within the run.
gap=$((seconds / (kills + 1) - 4))
[ "$gap" -ge 2 ] || gap=2
for _ in $(seq 1 "$kills"); do
  sleep "$gap"
  (cd /tmp && as_pg "$bindir/pg_ctl" -D "$dir/data" -m immediate stop >/dev/null)
  echo "server killed at $(date +%T)" >&2
  sleep 3
  "$root/scripts/pg-test-server.sh" resume
done
wait "$pid"
