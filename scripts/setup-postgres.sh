#!/usr/bin/env bash
# On the Debian server that holds the shared hall: installs PostgreSQL when missing, lets the
# workstations reach it over the network, and creates the role and its database in one go.
#   sudo scripts/setup-postgres.sh [--cluster VERSION/NAME | --port PORT] [--role queue] [--database brivane]
#                                  [--password PW] [--network CIDR] [--tls [--address NAME]...] [--kinds]
# Without --password one is generated and printed. --network (default: the server's own subnets)
# is where the workstations are. --cluster or --port names the PostgreSQL cluster to use; without
# them the machine must have exactly one, and no other cluster is ever touched. They then run
#   sudo brivane-ctl connect THIS_SERVER DATABASE ROLE --password PW
# --tls lets the workstations in over TLS only (hostssl) and makes the hall's own certificate authority
# (kept in /etc/postgresql/VERSION/NAME/hall-tls, root only) and a certificate for this server made out
# to its host name and to each --address (a name or an IP address the workstations use to reach it).
# Each workstation gets a copy of hall-ca.crt and checks the server against it:
#   sudo brivane-ctl connect THIS_SERVER DATABASE ROLE --password PW --sslmode verify-full --ca hall-ca.crt
# --kinds also makes one login per kind of workstation (ROLE_kiosk, ROLE_board, ROLE_counter,
# ROLE_office), each a member of the hall's group of that kind (DATABASE_kiosk, ...), and prints their
# passwords: each workstation connects with the login of its kind instead of the owner's. The groups'
# rights on the tables are given by Brivane when the owner next opens the hall.
set -euo pipefail
role=queue database=brivane password="" network="" want_cluster="" want_port="" tls=0 kinds=0 addresses=""
here=$(cd "$(dirname "$0")" && pwd)
while [ $# -gt 0 ]; do
  case "$1" in
  --cluster) want_cluster=$2; shift 2 ;;
  --port) want_port=$2; shift 2 ;;
  --tls) tls=1; shift ;;
  --address) addresses="$addresses $2"; shift 2 ;;
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
[ "$tls" = 1 ] && hba=hostssl
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
# The hall's authority (made once, kept) signs the server's certificate; the server shows it.
host=$(hostname -f 2>/dev/null || hostname)
if [ "$tls" = 1 ]; then
  tls_dir=$conf/hall-tls
  names="$host $(hostname -s 2>/dev/null || true) $addresses"
  # shellcheck disable=SC2086
  "$here/make-hall-ca.sh" "$tls_dir" $(printf '%s\n' $names | awk '!seen[$0]++')
  chown -R root:root "$tls_dir"
  chmod 0700 "$tls_dir"
  install -o postgres -g postgres -m 0644 "$tls_dir/server.crt" "$conf/hall-server.crt"
  install -o postgres -g postgres -m 0600 "$tls_dir/server.key" "$conf/hall-server.key"
  psql_pg -c "ALTER SYSTEM SET ssl = on" \
    -c "ALTER SYSTEM SET ssl_cert_file = '$conf/hall-server.crt'" \
    -c "ALTER SYSTEM SET ssl_key_file = '$conf/hall-server.key'"
  install -m 0644 "$tls_dir/hall-ca.crt" /root/hall-ca.crt
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

echo "Database $database on port $port, role $role, password $password; workstations in $network may connect."
echo "On each workstation: sudo brivane-ctl connect $host:$port $database $role --password $password"
if [ "$tls" = 1 ]; then
  echo "TLS only, with the hall's own authority. Copy /root/hall-ca.crt (the authority's certificate, not secret)"
  echo "to each workstation and connect it with: --sslmode verify-full --ca hall-ca.crt"
  echo "  sudo brivane-ctl connect $host:$port $database $role --password $password --sslmode verify-full --ca hall-ca.crt"
  echo "The workstations must name the server by one of: $(printf '%s ' $names)"
fi
if [ "$kinds" = 1 ]; then
  echo "Logins per kind of workstation (their rights are given when the owner next opens the hall):"
  printf "$kind_lines"
  echo "A kiosk PC, for instance: sudo brivane-ctl connect $host:$port $database ${role}_kiosk --password PASSWORD"
fi
exit 0
