#!/usr/bin/env bash
# Installs what is missing, builds, creates the embedded demo database when there is none, and starts Brivane.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh"
bin=${BRIVANE_BUILD:-$root/build}/bin
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-/tmp/brivane-runtime-$(id -u)}
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
if [ ! -f "$bin/path.txt" ]; then
  # Empty host: the embedded SQLite database file in the installation folder.
  (umask 077; echo ';brivane.db;;;' > "$bin/path.txt")
fi
if [ ! -f "$bin/brivane.db" ] && grep -q '^;brivane.db;' "$bin/path.txt"; then
  QT_QPA_PLATFORM=offscreen "$bin/brivane-ctl" demo
fi
# Without a printer of its own the demo prints its tickets as PDF files into a folder.
if [ -z "$("$bin/brivane-ctl" setting queue printer name)" ]; then
  mkdir -p "$bin/tickets"
  "$bin/brivane-ctl" setting queue printer name "$bin/tickets"
fi
printer=$("$bin/brivane-ctl" setting queue printer name)
if [ -d "$printer" ]; then
  echo "Tickets are printed as PDF files into $printer"
else
  echo "Tickets are printed on the printer \"$printer\""
fi
echo "Log in as administrator: admin / admin   (counters: Counter 1..7, users op1..op7, password 1234)"
exec "$bin/brivane" "$@"
