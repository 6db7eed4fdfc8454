#!/usr/bin/env bash
# Installs what is missing, builds, starts a throwaway PostgreSQL on 127.0.0.1 and runs every test
# on SQLite and on PostgreSQL.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh"
export BRIVANE_PG=$("$root/scripts/pg-test-server.sh" start)
trap '"$root/scripts/pg-test-server.sh" stop' EXIT
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-/tmp/brivane-runtime-$(id -u)}
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=offscreen
echo "Store tests run on SQLite and on PostgreSQL ($BRIVANE_PG)"
cd "${BRIVANE_BUILD:-$root/build}"
ctest --output-on-failure -j2 "$@"
