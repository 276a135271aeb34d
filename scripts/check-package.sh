#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Proves the Debian package on a fresh Debian 12: makes a throw-away Debian 12
# root with debootstrap, installs the package there with apt as a user would
# (recommended packages included), checks that the program and Qt's X11
# plugin find every library, starts the program the way the menu entry does
# (its Exec line, from the home folder) under Xvfb, opens a document from the
# "Файл" menu, takes screenshots, then removes and purges the package and
# lists every file left behind that no installed package owns.
#
#   scripts/check-package.sh [emlab_<version>_amd64.deb]
#
# Without an argument the package is built first (scripts/package.sh). Needs
# root and a Debian mirror: the one this machine's apt uses for bookworm main
# (scripts/apt-mirror.sh), or EMLAB_DEBIAN_MIRROR when set. The screenshots
# and the log land in check-package/ under the current folder.
set -euo pipefail
[ "$(id -u)" -eq 0 ] || { echo "check-package.sh needs root (debootstrap, chroot)." >&2; exit 1; }
cd "$(dirname "$0")/.."
out=$PWD/check-package
mkdir -p "$out"

# The mirror is settled first: without one the run stops before the long package build.
mirror=${EMLAB_DEBIAN_MIRROR:-$(scripts/apt-mirror.sh || true)}
if [ -z "$mirror" ]; then
  echo "No Debian mirror: this machine's apt names none for bookworm main (/etc/apt/sources.list," >&2
  echo "/etc/apt/sources.list.d/). Set EMLAB_DEBIAN_MIRROR to the mirror's address." >&2
  exit 1
fi
echo "== mirror: $mirror"

deb=${1:-}
[ -n "$deb" ] || deb=$(scripts/package.sh | tail -n 1)
deb=$(realpath "$deb")
scripts/deps.sh debootstrap

root=$(mktemp -d /var/tmp/emlab-check.XXXXXX)
cleanup() {
  for m in dev/pts dev proc sys; do umount "$root/$m" 2>/dev/null || true; done
  rm -rf --one-file-system "$root"
}
trap cleanup EXIT

echo "== debootstrap bookworm into $root"
debootstrap --variant=minbase bookworm "$root" "$mirror" >"$out/debootstrap.log" 2>&1 ||
  { tail -n 20 "$out/debootstrap.log"; exit 1; }
mount -t proc proc "$root/proc"
mount -t sysfs sys "$root/sys"
mount --bind /dev "$root/dev"
mount --bind /dev/pts "$root/dev/pts"
cp /etc/resolv.conf "$root/etc/resolv.conf"
cp "$deb" "$root/tmp/"
in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
  DEBIAN_FRONTEND=noninteractive "$@"; }

# Every file of the system that a package could leave behind; the package
# manager's own state, caches and logs are left out.
snapshot() {
  in_root find / -xdev \( -path /proc -o -path /sys -o -path /dev -o -path /run -o -path /tmp \
    -o -path /var/cache -o -path /var/lib/apt -o -path /var/lib/dpkg -o -path /var/log \) -prune \
    -o -print | LC_ALL=C sort
}

in_root apt-get update -qq
snapshot >"$out/before.txt"

echo "== apt install ./$(basename "$deb")"
in_root apt-get install -y -q "/tmp/$(basename "$deb")" >"$out/install.log" 2>&1 ||
  { tail -n 30 "$out/install.log"; exit 1; }
echo "$(grep -c '^Setting up' "$out/install.log" || true) packages set up"
in_root dpkg-query -W -f='${Package} ${Version}\n${Depends}\nRecommends: ${Recommends}\n' emlab

echo "== libraries, before any test tool is installed"
for f in /usr/bin/emlab /usr/lib/x86_64-linux-gnu/qt6/plugins/platforms/libqxcb.so; do
  if in_root ldd "$f" | grep 'not found'; then echo "FAIL: $f misses libraries"; exit 1; fi
  echo "ok   $f"
done
in_root dpkg -L emlab | sort >"$out/package-files.txt"

echo "== the menu entry"
entry=$(in_root sh -c 'ls /usr/share/applications/*.emlab.desktop')
in_root desktop-file-validate "$entry" 2>/dev/null || true
exec_line=$(in_root sed -n 's/^Exec=//p' "$entry")
echo "$entry: Exec=$exec_line"
ls "$root/usr/share/emlab/Files"
if grep -q emlab "$root/usr/share/icons/hicolor/icon-theme.cache" 2>/dev/null; then
  echo "the icon theme's cache lists the icon"
fi

echo "== starting it as the menu does, under Xvfb"
in_root apt-get install -y -q --no-install-recommends xvfb xauth x11-utils xdotool imagemagick \
  >"$out/tools.log" 2>&1 || { tail -n 30 "$out/tools.log"; exit 1; }
cat >"$root/tmp/run.sh" <<'RUN'
#!/bin/sh
# Run inside the root under xvfb-run: the program from the home folder, as a
# menu entry without a working folder starts it, then the "Файл" menu's
# "Справка" through the keyboard.
cd "$HOME" || exit 1
$1 &
pid=$!
window=
for _ in $(seq 50); do
  window=$(xdotool search --onlyvisible --name 'Определение удельного заряда электрона' 2>/dev/null | head -n 1)
  [ -n "$window" ] && break
  sleep 0.2
done
[ -n "$window" ] || { echo "FAIL: no window"; kill $pid; exit 1; }
sleep 2
echo "window: $(xdotool getwindowname "$window")"
xprop -id "$window" WM_CLASS
import -window root /tmp/bench.png
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove $((X + 20)) $((Y + 10)) click 1
sleep 1
xdotool key Down Down Down Return
sleep 8
import -window root /tmp/document.png
xdotool search --onlyvisible --name '.' getwindowname %@ 2>/dev/null | sort -u | sed 's/^/open window: /'
kill $pid
wait $pid 2>/dev/null
pkill -P $$ 2>/dev/null
exit 0
RUN
chmod +x "$root/tmp/run.sh"
in_root sh -c "cd / && xvfb-run -a -s '-screen 0 1280x1024x24' /tmp/run.sh '$exec_line'" 2>&1 |
  grep -v -e 'XDG_RUNTIME_DIR' -e '^$' | tee "$out/run.log"
cp "$root/tmp/bench.png" "$root/tmp/document.png" "$out/"
grep -q "WM_CLASS(STRING) = \"emlab\"" "$out/run.log" || { echo "FAIL: WM_CLASS is not emlab"; exit 1; }
echo "screenshots: $out/bench.png $out/document.png"

# Installed from a file, the package is unknown to apt once removed: dpkg purges.
echo "== apt remove emlab, then dpkg --purge emlab"
in_root apt-get remove -y -q emlab >"$out/remove.log" 2>&1
remaining=0
while read -r f; do
  if [ -e "$root$f" ] && [ ! -d "$root$f" ]; then echo "left after remove: $f"; remaining=1; fi
done <"$out/package-files.txt"
[ "$remaining" = 0 ] || { echo "FAIL: apt remove left the package's files"; exit 1; }
in_root dpkg --purge emlab >>"$out/remove.log" 2>&1
if in_root dpkg -s emlab >/dev/null 2>&1; then echo "FAIL: emlab still known to dpkg"; exit 1; fi

# What is new since before the install and belongs to no installed package:
# that is what the package, or running the program, left behind. Debian 12
# merges /bin, /sbin and /lib into /usr, so dpkg's paths count there too.
snapshot >"$out/after.txt"
LC_ALL=C comm -13 "$out/before.txt" "$out/after.txt" >"$out/new.txt"
in_root sh -c 'cat /var/lib/dpkg/info/*.list' |
  sed -e p -e 's#^/\(bin\|sbin\|lib\|lib32\|lib64\|libx32\)/#/usr/\1/#' | LC_ALL=C sort -u >"$out/owned.txt"
LC_ALL=C comm -23 "$out/new.txt" "$out/owned.txt" >"$out/left.txt"
echo "$(wc -l <"$out/new.txt") new paths; $(wc -l <"$out/left.txt") of them owned by no package (listed in"
echo "$out/left.txt): the dependencies' alternatives, caches and certificates, and what running the"
echo "program and the PDF viewer wrote under /root. By area:"
awk -F/ '{ print "/" $2 "/" $3 }' "$out/left.txt" | sort | uniq -c | sort -rn | sed 's/^/  /'
if grep -i emlab "$out/left.txt"; then
  echo "FAIL: the package left files behind"
  exit 1
fi
# The caches that the desktop's triggers rebuild must have forgotten it too.
for cache in /usr/share/icons/hicolor/icon-theme.cache /usr/share/applications/mimeinfo.cache; do
  if [ -e "$root$cache" ] && grep -q emlab "$root$cache"; then echo "FAIL: $cache still names emlab"; exit 1; fi
done
echo "nothing of emlab is left"
