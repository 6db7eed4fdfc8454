#!/usr/bin/env bash
# Measures the display board's CPU use: starts the demo hall's board under a virtual X server and
# prints the share of one core the program used over 20 s, once with the ticker and the text clock
# only and once with the demo's clock face, logo and video list. Prints figures; it is not a test.
# Use a Release build for figures worth comparing: BRIVANE_BUILD=build-release BRIVANE_BUILD_TYPE=Release.
# BOARD_CPU_PG="host:port;database;user;password" runs the board on that (empty) PostgreSQL database
# instead of the embedded file, to see what waiting for the server's notifications costs.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bin=${BRIVANE_BUILD:-$root/build}/bin
seconds=${SECONDS_MEASURED:-20}
display=${BOARD_CPU_DISPLAY:-:97} # another free display number when :97 is taken
work=$(mktemp -d /tmp/brivane-cpu.XXXXXX)
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-/tmp/brivane-runtime-$(id -u)}
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
trap 'kill $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT

for f in files logo.jpg back.jpg ding.wav design vs; do
  [ -e "$bin/$f" ] && cp -r "$bin/$f" "$work/"
done
if [ -n "${BOARD_CPU_PG:-}" ]; then
  echo "${BOARD_CPU_PG};" > "$work/path.txt"
else
  echo ';brivane.db;;;' > "$work/path.txt"
fi
BRIVANE_HOME=$work QT_QPA_PLATFORM=offscreen "$bin/brivane-ctl" demo >/dev/null
cat > "$work/settings.ini" <<'INI'
[queue]
login\rem=1
login\name=admin
login\pass=admin
login\type=optAdmin
display\auto=1
theme\theme=Black H
theme\scroll=1
INI

Xvfb $display -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
sleep 1

measure() {
  local label=$1
  # Xvfb has no GPU: video frames are converted on the CPU rather than through a software GL that
  # stalls the player.
  QT_XCB_GL_INTEGRATION=none DISPLAY=$display BRIVANE_HOME=$work BRIVANE_SETTINGS=$work/settings.ini "$bin/brivane" >/dev/null 2>&1 &
  local pid=$!
  sleep 5 # start-up and the board opening are not counted
  local tck; tck=$(getconf CLK_TCK)
  local a; a=$(awk '{print $14 + $15}' /proc/$pid/stat)
  sleep "$seconds"
  local b; b=$(awk '{print $14 + $15}' /proc/$pid/stat)
  kill $pid; wait $pid 2>/dev/null || true
  awk -v a="$a" -v b="$b" -v t="$tck" -v s="$seconds" -v l="$label" \
    'BEGIN { printf "%-44s %5.1f %% of a core over %d s\n", l, 100 * (b - a) / t / s, s }'
}

theme() { # SQL on the theme rows, on whichever store the board uses
  if [ -n "${BOARD_CPU_PG:-}" ]; then
    IFS=';' read -r hp dbname user pass <<<"$BOARD_CPU_PG"
    PGPASSWORD=$pass psql -q -h "${hp%:*}" -p "${hp##*:}" -U "$user" -d "$dbname" -c "$1"
  else
    python3 -c 'import sqlite3, sys; db = sqlite3.connect(sys.argv[1]); db.execute(sys.argv[2]); db.commit()' \
      "$work/brivane.db" "$1"
  fi
}
theme "update tbltheme set movie='0', clockfile='', logo=''"
measure "ticker and text clock"

theme "update tbltheme set movie='1', clockfile='modern.svg', logo='$work/logo.jpg'"
measure "ticker, clock face, logo and demo video list"
