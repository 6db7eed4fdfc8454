#!/bin/sh
# Sends one text through a GSM modem that ModemManager drives:
#   send-mmcli.sh NUMBER TEXT
# Set as the hall's gateway with
#   brivane-ctl setting queue sms command /usr/share/brivane/sms/send-mmcli.sh
# BRIVANE_MODEM names the modem (its index in `mmcli -L`, default: the first one). The user the web
# server runs as must be allowed to send through ModemManager (a polkit rule for that user).
# Exit 0 when the modem took the text; anything else is a failure brivane-web tries again later.
set -eu
[ $# -eq 2 ] || { echo "usage: send-mmcli.sh NUMBER TEXT" >&2; exit 2; }
number=$1
# Only digits and a leading plus: nothing else can reach mmcli's own list of properties.
case $number in
  '' | *[!0-9+]* | ?*+*) echo "not a phone number" >&2; exit 2 ;;
esac
# mmcli reads the properties as key='value' pairs: a quote in the text would end it early.
text=$(printf '%s' "$2" | sed "s/'/’/g")
modem=${BRIVANE_MODEM:-$(mmcli -L | sed -n 's|.*/Modem/\([0-9][0-9]*\).*|\1|p' | head -n 1)}
[ -n "$modem" ] || { echo "no modem found (mmcli -L)" >&2; exit 1; }
created=$(mmcli -m "$modem" --messaging-create-sms="number='$number',text='$text'")
sms=$(printf '%s\n' "$created" | sed -n 's|.*/SMS/\([0-9][0-9]*\).*|\1|p' | head -n 1)
[ -n "$sms" ] || { echo "the modem made no message" >&2; exit 1; }
status=0
mmcli -s "$sms" --send --timeout=60 >/dev/null || status=$?
# The modem keeps what it sent: delete it, the number with it.
mmcli -m "$modem" --messaging-delete-sms="$sms" >/dev/null 2>&1 || true
exit $status
