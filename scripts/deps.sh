#!/usr/bin/env bash
# Installs the Debian 12 packages that the build, the tests and a real window
# need. Does nothing when all of them are present.
set -euo pipefail

packages=(
  g++ cmake make
  qt6-base-dev qt6-base-dev-tools libqt6svg6 qt6-qpa-plugins libgl-dev
  fonts-liberation2 fonts-dejavu-core
  xvfb xauth imagemagick x11-utils
  openbox xdotool wmctrl xclip x11-xkb-utils
)

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
