#!/usr/bin/env bash
# On the Debian server that holds the shared hall: installs PostgreSQL when missing, lets the
# workstations reach it over the network, and creates the role and its database in one go.
#   sudo scripts/setup-postgres.sh [--cluster VERSION/NAME | --port PORT] [--role queue] [--database brivane]
#                                  [--password PW] [--network CIDR] [--tls] [--kinds]
# Without --password one is generated and printed. --network (default: the server's own subnets)
# is where the workstations are. --cluster or --port names the PostgreSQL cluster to use; without
# them the machine must have exactly one, and no other cluster is ever touched. --tls lets the
# workstations in over TLS only (hostssl; they add sslmode=require to path.txt). They then run
#   sudo brivane-ctl connect THIS_SERVER DATABASE ROLE --password PW
# --kinds also makes one login per kind of workstation (ROLE_kiosk, ROLE_board, ROLE_counter,
# ROLE_office), each a member of the hall's group of that kind (DATABASE_kiosk, ...), and prints their
# passwords: each workstation connects with the login of its kind instead of the owner's. The groups'
# rights on the tables are given by Brivane when the owner next opens the hall.
set -euo pipefail
role=queue database=brivane password="" network="" want_cluster="" want_port="" tls=0 kinds=0
while [ $# -gt 0 ]; do
  case "$1" in
  --cluster) want_cluster=$2; shift 2 ;;
  --port) want_port=$2; shift 2 ;;
  --tls) tls=1; shift ;;
  --kinds) kinds=1; shift ;;
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
new_password() { head -c 18 /dev/urandom | base64 | tr -d '/+=' | head -c 20; }
[ -n "$password" ] || password=$(new_password)
kind_names="kiosk board counter office"

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
hba=host
if [ "$tls" = 1 ]; then
  grep -q "^ssl *= *on" "$conf/postgresql.conf" || { echo "ssl = on" >> "$conf/postgresql.conf"; restart=1; }
  hba=hostssl
fi
logins=$role
if [ "$kinds" = 1 ]; then
  for kind in $kind_names; do logins="$logins ${role}_$kind"; done
fi
for login in $logins; do
  rule="$hba $database $login $network scram-sha-256"
  grep -qxF "$rule" "$conf/pg_hba.conf" || echo "$rule" >> "$conf/pg_hba.conf"
done

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
# One login per kind, each in its kind's group. The owner holds the groups with the admin option, so
# that `brivane-ctl grant` run with its connection hands them to further logins.
kind_lines=""
if [ "$kinds" = 1 ]; then
  for kind in $kind_names; do
    group=${database}_$kind login=${role}_$kind kind_password=$(new_password)
    psql_pg -tAc "select 1 from pg_roles where rolname='$group'" | grep -q 1 ||
      psql_pg -c "CREATE ROLE $group NOLOGIN"
    psql_pg -c "GRANT $group TO $role WITH ADMIN OPTION"
    if psql_pg -tAc "select 1 from pg_roles where rolname='$login'" | grep -q 1; then
      psql_pg -c "ALTER ROLE $login LOGIN PASSWORD '$kind_password'"
    else
      psql_pg -c "CREATE ROLE $login LOGIN PASSWORD '$kind_password'"
    fi
    psql_pg -c "GRANT $group TO $login"
    kind_lines="$kind_lines$kind	$login	$kind_password\n"
  done
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
if [ "$kinds" = 1 ]; then
  echo "Logins per kind of workstation (their rights are given when the owner next opens the hall):"
  printf "$kind_lines"
  echo "A kiosk PC, for instance: sudo brivane-ctl connect $host:$port $database ${role}_kiosk --password PASSWORD"
fi
exit 0
