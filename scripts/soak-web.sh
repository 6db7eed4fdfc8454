#!/usr/bin/env bash
# The web server's abuse soak: brivane-web on a demo hall (SQLite) under every attack at once, while a
# real board page, a visitor's ticket page and a probe of /board from clean addresses must keep being
# served. Prints a table of figures at the end; it is not a test (it does not fail on a lost probe).
#
#   scripts/soak-web.sh [SECONDS]        # default 1800
#
# Meanwhile: slow heads (SOAK_SLOW connections over 20 addresses, opened again when closed); board
# pages flooding messages and pings (20 addresses x 16 pages); an HTTP flood from 50 addresses (random
# ticket codes, the board's data, traversal, DELETE, upgrades); a 100 MB POST every minute; two spikes
# of SOAK_SPIKE idle connections (at a third and two thirds of the run, from SOAK_SPIKE_ADDRESSES
# addresses, held 90 s); Next at Counter 1 and a new ticket every 3 s. Each attacker and measured
# client has addresses of its own in 127.0.0.0/8, so each stands for other visitors.
#
# Environment: BRIVANE_BUILD (default build), SOAK_PORT (19087), SOAK_NOFILE (the server's open-file
# limit, 1024), SOAK_OUT (folder for the logs; default a new one in /tmp), SOAK_SLOW (400), SOAK_SPIKE
# (1100), SOAK_SPIKE_ADDRESSES (1), SOAK_BACKLOG (tickets ahead of the phone's, 10).
# On a shared machine run it with `nice`.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bin=${BRIVANE_BUILD:-$root/build}/bin
seconds=${1:-1800}
port=${SOAK_PORT:-19087}
nofile=${SOAK_NOFILE:-1024}
out=${SOAK_OUT:-$(mktemp -d /tmp/brivane-soak.XXXXXX)}
helper=$root/scripts/soak/soakweb.py
hall=$out/hall

mkdir -p "$hall"
rm -f "$out"/*.log "$out"/*.json "$out"/*.tsv "$out"/phone-codes.txt
export BRIVANE_HOME=$hall QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-/tmp/brivane-runtime-$(id -u)}
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
ulimit -n "$(ulimit -Hn)" # the attackers hold well over a thousand sockets

ctl() { "$bin/brivane-ctl" "$@"; }
echo ';brivane.db;;;' >"$hall/path.txt"
rm -f "$hall/brivane.db"
ctl demo >/dev/null
ctl setting queue web address "http://127.0.0.1:$port" >/dev/null
theme=$(sqlite3 "$hall/brivane.db" "select themename from tbltheme order by themeauto limit 1" 2>/dev/null || true)
[ -n "$theme" ] || theme="Black H"

pids=()
web=
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  if [ -n "$web" ]; then kill "$web" 2>/dev/null || true; fi
  wait 2>/dev/null || true
}
trap cleanup EXIT

(
  ulimit -n "$nofile"
  exec "$bin/brivane-web" --port "$port"
) >"$out/web.log" 2>&1 &
web=$!

get() { # status of GET $1 from address $2, or 000
  curl -s -o /dev/null -m 5 --interface "$2" -w '%{http_code}' "http://127.0.0.1:$port$1" || true
}
for _ in $(seq 50); do
  [ "$(get /board 127.0.9.9)" = 200 ] && break
  sleep 0.2
done
[ "$(get /board 127.0.9.9)" = 200 ] || {
  echo "brivane-web did not start:" >&2
  cat "$out/web.log" >&2
  exit 1
}

started=$(date +%s.%N)
sample() { # seconds, RSS kB, open files, CPU ticks of the server
  local rss fds ticks
  rss=$(awk '/^VmRSS/ {print $2}' "/proc/$web/status" 2>/dev/null) || return 0
  fds=$(find "/proc/$web/fd" -mindepth 1 -maxdepth 1 2>/dev/null | wc -l)
  ticks=$(awk '{print $14 + $15}' "/proc/$web/stat" 2>/dev/null) || return 0
  echo "$(date +%s.%N) $rss $fds $ticks" >>"$out/monitor.tsv"
}
sample
( while sleep 5; do sample; done ) &
pids+=($!)

role() {
  python3 "$helper" "$1" --out "$out" --port "$port" --theme "$theme" "${@:2}" 2>>"$out/roles.err" &
  pids+=($!)
}
third=$((seconds / 3))
role slowloris --addresses 127.0.1.1-20 --n "${SOAK_SLOW:-400}"
role wsflood --addresses 127.0.2.1-20 --pages 16 --pause 0.05
role httpflood --addresses 127.0.3.1-50 --workers 4 --pipeline 20
role bigbody --addresses 127.0.4.1 --mb 100 --every 60
spike_addresses=${SOAK_SPIKE_ADDRESSES:-1}
role spike --addresses "127.0.5.1-$spike_addresses" --n "${SOAK_SPIKE:-1100}" --at "$third,$((2 * third))" --hold 90
role realboard --addresses 127.0.9.1
role probe --addresses 127.0.8.1-200 --every 2 --timeout 5

# The phone follows one ticket with SOAK_BACKLOG tickets ahead of it; once it is called it follows a
# new one at the end of the queue.
for _ in $(seq "${SOAK_BACKLOG:-10}"); do ctl issue 1 >/dev/null; done
new_phone_ticket() {
  local lines
  lines=$(ctl issue 1 --url)
  phone_label=$(sed -n 1p <<<"$lines")
  phone_code=$(sed -n 2p <<<"$lines" | sed 's|.*/t/||')
  echo "$phone_code" >>"$out/phone-codes.txt"
  echo "phone-issued $(date +%s.%N) $phone_label $phone_code" >>"$out/calls.tsv"
}
new_phone_ticket
role phone --addresses 127.0.9.2 --codes "$out/phone-codes.txt"

errors=0
want_phone=0
end=$(($(date +%s) + seconds))
while [ "$(date +%s)" -lt "$end" ]; do
  round=$(date +%s.%N)
  if [ $want_phone = 1 ]; then
    new_phone_ticket
    want_phone=0
  else
    ctl issue 1 >/dev/null 2>>"$out/ctl.err" || errors=$((errors + 1))
  fi
  if label=$(ctl next 1 2>>"$out/ctl.err"); then
    echo "next $(date +%s.%N) $label" >>"$out/calls.tsv"
    if [ "$label" = "$phone_label" ]; then
      echo "phone-called $(date +%s.%N) $label $phone_code" >>"$out/calls.tsv"
      want_phone=1
    fi
  else
    errors=$((errors + 1))
  fi
  sleep "$(awk -v r="$round" -v n="$(date +%s.%N)" 'BEGIN { s = 3 - (n - r); print (s > 0 ? s : 0) }')"
done

for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
wait "${pids[@]}" 2>/dev/null || true
pids=()
sleep 2
sample
if kill -0 "$web" 2>/dev/null; then
  alive="alive; /board $(get /board 127.0.9.9) at the end"
else
  alive="GONE"
fi
cat >"$out/meta.json" <<JSON
{"seconds": $seconds, "port": $port, "nofile": $nofile, "started": $started, "alive": "$alive",
 "ctl_errors": $errors, "theme": "$theme"}
JSON
kill "$web" 2>/dev/null || true
wait "$web" 2>/dev/null || true
web=

python3 "$helper" summary --out "$out" | tee "$out/summary.txt"
echo "logs: $out"
