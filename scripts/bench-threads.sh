#!/usr/bin/env bash
# Builds brivane-bench with ThreadSanitizer into build-tsan/ (or $BRIVANE_BUILD) and runs it on the
# throwaway PostgreSQL server of pg-test-server.sh: kiosks, counters and boards each on a thread of
# their own, as the benchmark runs them, for SECONDS (default 20). A data race in the program's code
# that these threads share fails the run; the reports are in build-tsan/tsan.*.
# Usage: bench-threads.sh [SECONDS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BRIVANE_BUILD:-$root/build-tsan}
seconds=${1:-20}
port=${BRIVANE_PG_PORT:-55432}
bindir=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRIVANE_TESTS=OFF \
  -DCMAKE_CXX_FLAGS="-fsanitize=thread" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=thread" \
  -DCMAKE_SHARED_LINKER_FLAGS="-fsanitize=thread" >/dev/null
ninja -C "$build" brivane-bench

"$root/scripts/pg-test-server.sh" start >/dev/null
db=bench_threads_$$
(cd /tmp && PGPASSWORD=brivane "$bindir/psql" -q -h 127.0.0.1 -p "$port" -U brivane -d brivane \
  -c "create database $db" >/dev/null)
rm -f "$build"/tsan.*
status=0
TSAN_OPTIONS="halt_on_error=0 report_signal_unsafe=0 suppressions=$root/scripts/tsan-suppressions.txt \
log_path=$build/tsan" "$build/bin/brivane-bench" --pg "127.0.0.1:$port;$db;brivane;brivane" \
  --kiosks 8 --counters 12 --counter-pause 100 --boards 3 --seconds "$seconds" --mirror || status=$?
(cd /tmp && PGPASSWORD=brivane "$bindir/psql" -q -h 127.0.0.1 -p "$port" -U brivane -d brivane \
  -c "drop database $db" >/dev/null)
if compgen -G "$build/tsan.*" >/dev/null; then
  grep -h "SUMMARY" "$build"/tsan.* >&2
  echo "data races found: see $build/tsan.*" >&2
  exit 1
fi
[ "$status" -eq 0 ] || { echo "the benchmark failed ($status)" >&2; exit "$status"; }
echo "no data race found"
