#!/bin/sh
# Installs the build in $1 (prefix $2) below a temporary root, checks the layout of the package and
# that the installed brivane-ctl finds its folders and creates the embedded database there.
set -eu
build=$1
prefix=${2:-/usr}
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
DESTDIR=$root cmake --install "$build" >/dev/null

# GNU install directories: /usr puts the machine's files in /etc and /var, other prefixes below themselves.
if [ "$prefix" = /usr ]; then etc=/etc var=/var; else etc=$prefix/etc var=$prefix/var; fi

fail=0
need() { # kind path
  if ! test "$1" "$root$2"; then
    echo "missing ($1): $2"
    fail=1
  fi
}
need -x "$prefix/bin/brivane"
need -x "$prefix/bin/brivane-ctl"
need -x "$prefix/bin/brivane-bench"
need -x "$prefix/bin/brivane-web"
need -f $etc/default/brivane-web
need -f "$prefix/share/brivane/logo.jpg"
need -f "$prefix/share/brivane/back.jpg"
need -f "$prefix/share/brivane/design/01.jpg"
if [ -d "$build/bin/vs" ]; then
  need -f "$prefix/share/brivane/ding.wav"
  need -d "$prefix/share/brivane/vs/english"
fi
if [ -d "$build/bin/files/clock" ] || [ -d "$(dirname "$0")/../resources/files/clock" ]; then
  need -d "$prefix/share/brivane/files/clock"
fi
if [ -x "$build/bin/voice" ]; then
  need -x "$prefix/lib/brivane/voice"
fi
if [ "$prefix" = /usr ]; then units=/lib/systemd/system; else units=$prefix/lib/systemd/system; fi
need -f "$units/brivane-backup.service"
need -f "$units/brivane-backup.timer"
need -f "$units/brivane-web.service"
grep -q "^ExecStart=$prefix/bin/brivane-ctl backup " "$root$units/brivane-backup.service" ||
  { echo "the backup service does not run $prefix/bin/brivane-ctl backup"; exit 1; }
need -f "$prefix/share/applications/brivane.desktop"
need -f "$prefix/share/icons/hicolor/scalable/apps/brivane.svg"
need -f $etc/brivane/path.txt
need -f $etc/brivane/code.txt
need -d $var/lib/brivane
[ "$fail" = 0 ] || exit 1

for f in path.txt code.txt; do
  mode=$(stat -c %a "$root$etc/brivane/$f")
  [ "$mode" = 600 ] || { echo "$etc/brivane/$f has mode $mode, not 600"; exit 1; }
done
[ "$(cat "$root$etc/brivane/path.txt")" = ";brivane.db;;;" ] || { echo "path.txt is not the embedded default"; exit 1; }
grep -q "^ExecStart=$prefix/bin/brivane-web " "$root$units/brivane-web.service" || { echo "the service does not start brivane-web"; exit 1; }
grep -q '^Exec=brivane$' "$root$prefix/share/applications/brivane.desktop" || { echo "desktop entry does not start brivane"; exit 1; }
# Nothing from the build folder may be installed beside the programs.
extra=$(ls "$root$prefix/bin" | grep -v -x -e brivane -e brivane-ctl -e brivane-bench -e brivane-web || true)
[ -z "$extra" ] || { echo "unexpected files in $prefix/bin: $extra"; exit 1; }

# The installed program resolves the installed folders and keeps its database in the data folder.
env -u BRIVANE_HOME "$root$prefix/bin/brivane-ctl" paths > "$root/paths.txt"
expect() {
  grep -q -x "$1	$root$2" "$root/paths.txt" || { echo "brivane-ctl paths: no $1 $2"; cat "$root/paths.txt"; exit 1; }
}
expect resources "$prefix/share/brivane"
expect config $etc/brivane
expect data $var/lib/brivane
expect programs "$prefix/lib/brivane"
env -u BRIVANE_HOME BRIVANE_SETTINGS="$root/settings.ini" "$root$prefix/bin/brivane-ctl" init --admin boss --password secret >/dev/null
[ -s "$root$var/lib/brivane/brivane.db" ] || { echo "the embedded database was not created in $var/lib/brivane"; exit 1; }
echo "install layout ok"
