#!/usr/bin/env bash
# Makes the hall's own certificate authority (once) and a certificate for its database server, signed
# by it, for the names and addresses the workstations reach the server by.
#   make-hall-ca.sh DIR NAME_OR_ADDRESS...
# DIR/hall-ca.crt is the authority's certificate: copied to each workstation
# (brivane-ctl connect ... --sslmode verify-full --ca hall-ca.crt). DIR/hall-ca.key signs and stays in
# DIR (mode 0600). DIR/server.crt and DIR/server.key are the server's. An existing authority is kept,
# so workstations that hold it go on trusting a server certificate made again (new names).
set -euo pipefail
[ $# -ge 2 ] || { echo "usage: make-hall-ca.sh DIR NAME_OR_ADDRESS..." >&2; exit 2; }
dir=$1; shift
command -v openssl >/dev/null || { echo "openssl is needed" >&2; exit 1; }
mkdir -p "$dir"
umask 077
if [ ! -s "$dir/hall-ca.key" ] || [ ! -s "$dir/hall-ca.crt" ]; then
  openssl req -x509 -new -nodes -newkey rsa:3072 -sha256 -days 3650 \
    -subj "/CN=Brivane hall certificate authority $(hostname -s 2>/dev/null || echo)" \
    -addext "basicConstraints=critical,CA:TRUE" -addext "keyUsage=critical,keyCertSign,cRLSign" \
    -keyout "$dir/hall-ca.key" -out "$dir/hall-ca.crt" 2>/dev/null
fi
san=""
for name in "$@"; do
  if [[ "$name" =~ ^[0-9.]+$ || "$name" == *:* ]]; then san="$san,IP:$name"; else san="$san,DNS:$name"; fi
done
san=${san#,}
openssl req -new -nodes -newkey rsa:3072 -sha256 -subj "/CN=$1" \
  -keyout "$dir/server.key" -out "$dir/server.csr" 2>/dev/null
printf 'subjectAltName=%s\nbasicConstraints=CA:FALSE\nkeyUsage=critical,digitalSignature,keyEncipherment\nextendedKeyUsage=serverAuth\n' \
  "$san" > "$dir/server.ext"
openssl x509 -req -sha256 -days 825 -in "$dir/server.csr" -CA "$dir/hall-ca.crt" -CAkey "$dir/hall-ca.key" \
  -CAcreateserial -extfile "$dir/server.ext" -out "$dir/server.crt" 2>/dev/null
rm -f "$dir/server.csr" "$dir/server.ext"
chmod 0644 "$dir/hall-ca.crt" "$dir/server.crt"
chmod 0600 "$dir/hall-ca.key" "$dir/server.key"
