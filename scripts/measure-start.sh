#!/usr/bin/env bash
# Prints how long Brivane takes from its start to a visible log-in screen, under a virtual X server:
#   scripts/measure-start.sh [PROGRAM] [RUNS]     (default build/bin/brivane, 5 runs)
# Each run works in a fresh installation folder (BRIVANE_HOME) with an empty embedded database, so
# the time includes creating the schema; the splash screen's 100 ms wait is part of it.
set -euo pipefail
if [ -z "${BRIVANE_MEASURE_X:-}" ]; then
  BRIVANE_MEASURE_X=1 exec xvfb-run -a -s "-screen 0 1920x1080x24" "$0" "$@"
fi
root=$(cd "$(dirname "$0")/.." && pwd)
program=$(realpath "${1:-${BRIVANE_BUILD:-$root/build}/bin/brivane}")
runs=${2:-5}
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-/tmp/brivane-runtime-$(id -u)}
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
times=()
for _ in $(seq 1 "$runs"); do
  home=$(mktemp -d)
  cp -r "$(dirname "$program")"/*.jpg "$(dirname "$program")"/design "$home"/ 2>/dev/null || true
  echo ';brivane.db;;;' > "$home/path.txt"
  t0=$(date +%s%N)
  BRIVANE_HOME=$home BRIVANE_SETTINGS=$home/settings.ini "$program" &
  app=$!
  xdotool search --sync --onlyvisible --name 'Login Here' >/dev/null
  t1=$(date +%s%N)
  kill "$app"; wait "$app" 2>/dev/null || true
  rm -rf "$home"
  times+=($(( (t1 - t0) / 1000000 )))
done
printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END {printf "start to log-in screen: median %d ms, min %d ms, max %d ms over %d runs\n", a[int((NR+1)/2)], a[1], a[NR], NR}'
