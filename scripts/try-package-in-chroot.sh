#!/usr/bin/env bash
# Not for CI. Installs the package (dist/brivane_*.deb, or $1) with apt into a clean Debian 12 chroot,
# checks what the package set up, and starts the installed program there from its menu entry's
# command under a virtual X server, on the empty embedded database the package created: the log-in
# screen with the first-administrator offer, then (logged in, no printer) the full-screen kiosk
# after a touch. Pictures go to dist/chroot-*.png. Needs root; the first run makes a base system
# with debootstrap (kept in $BRIVANE_CHROOT_BASE, default /var/tmp/brivane-bookworm) and every run
# works in a fresh copy of it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
deb=$(realpath "${1:-$(ls "$root"/dist/brivane_*.deb | sort -V | tail -n 1)}")
base=${BRIVANE_CHROOT_BASE:-/var/tmp/brivane-bookworm}
[ "$(id -u)" -eq 0 ] || { echo "run as root" >&2; exit 1; }
need() { command -v "$1" >/dev/null || DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$2" >/dev/null; }
need debootstrap debootstrap
need Xvfb xvfb
need xdotool xdotool
need xwd x11-apps
need pnmtopng netpbm

if [ ! -f "$base/etc/debian_version" ]; then
  debootstrap --variant=minbase bookworm "$base"
fi
work=$(mktemp -d /var/tmp/brivane-chroot.XXXXXX)
display=:$((90 + RANDOM % 9))
cleanup() {
  [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null || true
  for m in tmp/.X11-unix dev/pts dev proc; do umount -l "$work/$m" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
cp -a "$base/." "$work/"
cp /etc/resolv.conf "$work/etc/resolv.conf"
mount -t proc proc "$work/proc"
mount --bind /dev "$work/dev"
mount --bind /dev/pts "$work/dev/pts"
in_root() { chroot "$work" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 "$@"; }

echo "== apt install $(basename "$deb") into a clean Debian 12"
cp "$deb" "$work/tmp/"
in_root apt-get update -qq
in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "/tmp/$(basename "$deb")" \
  >"$root/dist/chroot-apt.log" 2>&1 || { tail -n 30 "$root/dist/chroot-apt.log"; exit 1; }

echo "== what the package set up"
in_root stat -c '%A %U:%G %n' /etc/brivane /etc/brivane/path.txt /etc/brivane/code.txt /var/lib/brivane \
  /var/lib/brivane/brivane.db
in_root cat /etc/brivane/path.txt
in_root brivane-ctl paths
exec_line=$(sed -n 's/^Exec=//p' "$work/usr/share/applications/brivane.desktop")
echo "menu entry starts: $exec_line"

echo "== the installed program under a virtual X server ($display)"
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
sleep 2
mkdir -p "$work/tmp/.X11-unix"
mount --bind /tmp/.X11-unix "$work/tmp/.X11-unix"
shot() { xwd -root -display "$display" -silent | xwdtopnm 2>/dev/null | pnmtopng > "$root/dist/chroot-$1.png"; echo "picture: dist/chroot-$1.png"; }
start() {
  chroot "$work" env -i PATH=/usr/bin:/bin HOME=/root LANG=C.UTF-8 DISPLAY="$display" \
    XDG_RUNTIME_DIR=/tmp/runtime sh -c "mkdir -p -m 700 /tmp/runtime; exec $exec_line" >"$root/dist/chroot-$1.log" 2>&1 &
  app=$!
}
start login
DISPLAY=$display xdotool search --sync --onlyvisible --name 'Login Here' >/dev/null
sleep 1
shot login
kill "$app"; wait "$app" 2>/dev/null || true

# A hall with no printer: the demo's departments, the full-screen kiosk, log in, touch a service.
in_root brivane-ctl demo >/dev/null
in_root brivane-ctl setting Queue dept default "General Medicine"
in_root brivane-ctl setting queue Ticket screen "Full Screen"
start kiosk
login=$(DISPLAY=$display xdotool search --sync --onlyvisible --name 'Login Here' | head -n 1)
sleep 1
# No window manager gives the keyboard focus: click into the user and password fields.
DISPLAY=$display xdotool mousemove --window "$login" 200 124 click 1
DISPLAY=$display xdotool type --delay 50 admin
DISPLAY=$display xdotool mousemove --window "$login" 200 152 click 1
DISPLAY=$display xdotool type --delay 50 admin
DISPLAY=$display xdotool key Return
sleep 4
shot kiosk-before
DISPLAY=$display xdotool mousemove 510 366 click 1
sleep 1
shot kiosk-token
echo "waiting at Counter 1 after the touch: $(in_root brivane-ctl pending "Counter 1")"
kill "$app"; wait "$app" 2>/dev/null || true
