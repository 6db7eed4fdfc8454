#!/bin/sh
# Sends one text through a provider's HTTP API:
#   send-http.sh NUMBER TEXT
# Set as the hall's gateway with
#   brivane-ctl setting queue sms command /usr/share/brivane/sms/send-http.sh
# and give the provider's address and credentials in the web server's environment (for the service:
# `systemctl edit brivane-web`, Environment=...), never on a command line:
#   SMS_API_URL    the provider's address for sending a message
#   SMS_API_USER   the account, SMS_API_TOKEN its key (sent as HTTP basic authentication)
#   SMS_FROM       the sender name or number the provider shows (optional)
# The field names below (to, from, text) are the most common ones; rename them to your provider's.
# A provider that takes exactly the form fields "number" and "text" needs no script: set its address
# with `brivane-ctl setting queue sms url https://...` instead.
set -eu
[ $# -eq 2 ] || { echo "usage: send-http.sh NUMBER TEXT" >&2; exit 2; }
: "${SMS_API_URL:?SMS_API_URL is not set}"
config=$(mktemp)
trap 'rm -f "$config"' EXIT
# The credentials go to curl in a file of this user only, so no other user sees them in the list of
# processes.
chmod 600 "$config"
printf 'user = "%s:%s"\n' "${SMS_API_USER:-}" "${SMS_API_TOKEN:-}" >"$config"
exec curl --silent --show-error --fail --max-time 20 --config "$config" \
  --data-urlencode "to=$1" --data-urlencode "from=${SMS_FROM:-}" --data-urlencode "text=$2" \
  --output /dev/null "$SMS_API_URL"
