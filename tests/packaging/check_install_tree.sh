#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# `cmake --install` puts exactly the program, its documents and its desktop
# files under the prefix, and the same under any other prefix given: nothing
# installed names the prefix the build was configured with.
set -eu
build=$1 prefix=$2 id=$3
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT

DESTDIR="$stage/root" cmake --install "$build" >/dev/null

expected=$(sort <<LIST
bin/emlab
share/applications/$id.desktop
share/metainfo/$id.metainfo.xml
share/man/man1/emlab.1.gz
share/doc/emlab/copyright
share/doc/emlab/changelog.gz
share/icons/hicolor/16x16/apps/emlab.png
share/icons/hicolor/32x32/apps/emlab.png
share/icons/hicolor/48x48/apps/emlab.png
share/icons/hicolor/64x64/apps/emlab.png
share/icons/hicolor/128x128/apps/emlab.png
share/icons/hicolor/256x256/apps/emlab.png
share/icons/hicolor/scalable/apps/emlab.svg
share/emlab/Files/Титульный лист(Р).pdf
share/emlab/Files/Теория(Р).pdf
share/emlab/Files/Порядок выполнения(Р).pdf
share/emlab/Files/Контрольные вопросы(Р).pdf
share/emlab/Files/Титульный лист(К).pdf
share/emlab/Files/Порядок выполнения(К).pdf
share/emlab/Files/Руководство пользователя(К).pdf
share/emlab/Files/Справка.pdf
LIST
)
actual=$(cd "$stage/root$prefix" && find . ! -type d | sed 's|^\./||' | sort)
outside=$(cd "$stage/root" && find . ! -type d | grep -v "^\.$prefix/" || true)
if [ "$actual" != "$expected" ] || [ -n "$outside" ]; then
  echo "installed tree differs from the expected one:"
  diff -u --label expected --label installed <(echo "$expected") <(echo "$actual") || true
  [ -z "$outside" ] || echo "outside the prefix: $outside"
  exit 1
fi
[ -x "$stage/root$prefix/bin/emlab" ] || { echo "bin/emlab is not executable"; exit 1; }

# Every icon is the size its folder names.
for size in 16 32 48 64 128 256; do
  got=$(identify -format '%wx%h' "$stage/root$prefix/share/icons/hicolor/${size}x${size}/apps/emlab.png")
  [ "$got" = "${size}x${size}" ] || { echo "icon ${size}x${size} is $got"; exit 1; }
done

# Another prefix takes the same tree, and nothing in it names the configured one.
other="$stage/elsewhere"
cmake --install "$build" --prefix "$other" >/dev/null
moved=$(cd "$other" && find . ! -type d | sed 's|^\./||' | sort)
[ "$moved" = "$expected" ] || { echo "the install under $other differs:"; diff -u <(echo "$expected") <(echo "$moved"); exit 1; }
if grep -rlaF "$prefix/" "$other/share/applications" "$other/share/metainfo"; then
  echo "the desktop files above name the configured prefix $prefix"
  exit 1
fi
echo "install tree as expected: $(echo "$actual" | wc -l) files"
