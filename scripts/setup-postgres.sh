#!/usr/bin/env bash
# On the Debian server that holds the shared hall: installs PostgreSQL when missing, lets the
# workstations reach it over the network, and creates the role and its database in one go.
#   sudo scripts/setup-postgres.sh [--cluster VERSION/NAME | --port PORT] [--role queue] [--database brivane]
#                                  [--password PW] [--network CIDR] [--tls]
# Without --password one is generated and printed. --network (default: the server's own subnets)
# is where the workstations are. --cluster or --port names the PostgreSQL cluster to use; without
# them the machine must have exactly one, and no other cluster is ever touched. --tls lets the
# workstations in over TLS only (hostssl; they add sslmode=require to path.txt). They then run
#   sudo brivane-ctl connect THIS_SERVER DATABASE ROLE --password PW
set -euo pipefail
role=queue database=brivane password="" network="" want_cluster="" want_port="" tls=0
while [ $# -gt 0 ]; do
  case "$1" in
  --cluster) want_cluster=$2; shift 2 ;;
  --port) want_port=$2; shift 2 ;;
  --tls) tls=1; shift ;;
  --role) role=$2; shift 2 ;;
  --database) database=$2; shift 2 ;;
  --password) password=$2; shift 2 ;;
  --network) network=$2; shift 2 ;;
  *) echo "unknown option: $1" >&2; exit 2 ;;
  esac
done
[ "$(id -u)" -eq 0 ] || { echo "run as root (sudo)" >&2; exit 1; }
for name in "$role" "$database"; do
  [[ "$name" =~ ^[a-z_][a-z0-9_]*$ ]] || { echo "a name of lower-case letters, digits and _ please: $name" >&2; exit 2; }
done
case "$password" in *\;* | *,* | *\'* | *\"*) echo "the password cannot hold ; , ' or \"" >&2; exit 2 ;; esac
[ -n "$password" ] || password=$(head -c 18 /dev/urandom | base64 | tr -d '/+=' | head -c 20)

if ! command -v pg_lsclusters >/dev/null; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq postgresql >/dev/null
fi
# The one cluster named (by VERSION/NAME or by port), or the only one there is.
clusters=$(pg_lsclusters -h | awk -v c="$want_cluster" -v p="$want_port" \
  '(c == "" || $1 "/" $2 == c) && (p == "" || $3 == p)')
count=$(printf '%s' "$clusters" | grep -c . || true)
[ "$count" -gt 0 ] || { echo "no such PostgreSQL cluster on this machine (pg_lsclusters lists them; pg_createcluster 15 main makes one)" >&2; exit 1; }
[ "$count" -eq 1 ] || { echo "several PostgreSQL clusters: name the one to use with --cluster VERSION/NAME or --port PORT" >&2; exit 2; }
read -r version name port _ <<<"$clusters"
pg_ctlcluster "$version" "$name" start 2>/dev/null || true
conf=/etc/postgresql/$version/$name

# Listen on the network and let the workstations in with a password.
if ! grep -q "^listen_addresses *= *'\*'" "$conf/postgresql.conf"; then
  echo "listen_addresses = '*'" >> "$conf/postgresql.conf"
  restart=1
fi
if [ -z "$network" ]; then
  network=$(ip -o -f inet addr show scope global | awk '{print $4}' | head -n 1)
  network=${network:-0.0.0.0/0}
fi
rule="host $database $role $network scram-sha-256"
if [ "$tls" = 1 ]; then
  grep -q "^ssl *= *on" "$conf/postgresql.conf" || { echo "ssl = on" >> "$conf/postgresql.conf"; restart=1; }
  rule="hostssl $database $role $network scram-sha-256"
fi
grep -qxF "$rule" "$conf/pg_hba.conf" || echo "$rule" >> "$conf/pg_hba.conf"

cd /tmp
psql_pg() { runuser -u postgres -- psql -q -v ON_ERROR_STOP=1 -p "$port" "$@"; }
if psql_pg -tAc "select 1 from pg_roles where rolname='$role'" | grep -q 1; then
  psql_pg -c "ALTER ROLE $role LOGIN PASSWORD '$password'"
else
  psql_pg -c "CREATE ROLE $role LOGIN PASSWORD '$password'"
fi
if ! psql_pg -tAc "select 1 from pg_database where datname='$database'" | grep -q 1; then
  psql_pg -c "CREATE DATABASE $database OWNER $role"
fi
if [ "${restart:-0}" = 1 ]; then
  pg_ctlcluster "$version" "$name" restart
else
  pg_ctlcluster "$version" "$name" reload
fi

host=$(hostname -f 2>/dev/null || hostname)
echo "Database $database on port $port, role $role, password $password; workstations in $network may connect."
echo "On each workstation: sudo brivane-ctl connect $host:$port $database $role --password $password"
[ "$tls" = 1 ] && echo "TLS only: add sslmode=require as the fifth field of each workstation's path.txt."
exit 0
