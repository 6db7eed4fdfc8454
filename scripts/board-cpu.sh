#!/usr/bin/env bash
# Measures the display board's CPU use: starts the demo hall's board under a virtual X server and
# prints the share of one core the program used over 20 s, once with the ticker and the text clock
# only and once with the demo's clock face, logo and video list. Prints figures; it is not a test.
# Use a Release build for figures worth comparing: BRIVANE_BUILD=build-release BRIVANE_BUILD_TYPE=Release.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bin=${BRIVANE_BUILD:-$root/build}/bin
seconds=${SECONDS_MEASURED:-20}
work=$(mktemp -d /tmp/brivane-cpu.XXXXXX)
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-/tmp/brivane-runtime-$(id -u)}
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
trap 'kill $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT

for f in files logo.jpg back.jpg ding.wav design vs; do
  [ -e "$bin/$f" ] && cp -r "$bin/$f" "$work/"
done
echo ';brivane.db;;;' > "$work/path.txt"
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

Xvfb :97 -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
sleep 1

measure() {
  local label=$1
  # Xvfb has no GPU: video frames are converted on the CPU rather than through a software GL that
  # stalls the player.
  QT_XCB_GL_INTEGRATION=none DISPLAY=:97 BRIVANE_HOME=$work BRIVANE_SETTINGS=$work/settings.ini "$bin/brivane" >/dev/null 2>&1 &
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

python3 - "$work/brivane.db" <<'PY'
import sqlite3, sys
db = sqlite3.connect(sys.argv[1])
db.execute("update tbltheme set movie='0', clockfile='', logo=''")
db.commit()
PY
measure "ticker and text clock"

python3 - "$work/brivane.db" "$work" <<'PY'
import sqlite3, sys
db = sqlite3.connect(sys.argv[1])
db.execute("update tbltheme set movie='1', clockfile='modern.svg', logo=?", (sys.argv[2] + "/logo.jpg",))
db.commit()
PY
measure "ticker, clock face, logo and demo video list"
