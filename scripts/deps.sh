#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian 12 packages that the build, the tests and a real window
# need. Does nothing when all of them are present.
set -euo pipefail

packages=(
  g++ cmake make ninja-build
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev
  fonts-liberation2 fonts-dejavu-core
  xvfb xauth imagemagick x11-utils
  openbox xdotool wmctrl xclip x11-xkb-utils
  # The lab documents: XeLaTeX with Russian hyphenation, TikZ, the serif of
  # the program's windows and a matching mathematics font; pdftotext for
  # their tests.
  texlive-xetex texlive-latex-base texlive-latex-recommended texlive-lang-cyrillic texlive-pictures
  fonts-texgyre-math poppler-utils
  # The menu entry, icon and package checks; Qt's own Russian texts.
  librsvg2-bin qt6-translations-l10n desktop-file-utils appstream man-db
  # The accessibility tests switch Qt's accessibility on through its platform
  # layer, as Qt's own accessibility tests do, since no screen reader runs.
  qt6-base-private-dev
  # The style and the static checks of scripts/test.sh.
  clang-format clang-tidy
)
# Scripts that need more (the package and its checks) name it on the command line.
packages+=("$@")

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[ "$(id -u)" -ne 0 ] && sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
