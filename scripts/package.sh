#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package (the package preset: Release, installed under
# /usr, with Debian's hardening flags) in build-package/, or in
# EMLAB_PACKAGE_BUILD (absolute or relative to the checkout), and checks it
# with lintian; fails on any lintian error. The package's path is the last
# line printed.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh dpkg-dev lintian
dir=${EMLAB_PACKAGE_BUILD:-build-package}
case $dir in /*) ;; *) dir=$PWD/$dir ;; esac
# The package preset takes Debian's compiler and linker flags from these.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CXXFLAGS=$(dpkg-buildflags --get CXXFLAGS) CPPFLAGS=$(dpkg-buildflags --get CPPFLAGS) \
  LDFLAGS=$(dpkg-buildflags --get LDFLAGS) cmake --preset package -B "$dir" >/dev/null
cmake --build "$dir" -j"$(nproc)" >/dev/null
rm -f "$dir"/emlab_*.deb
(cd "$dir" && cpack -G DEB >/dev/null)
deb=$(ls "$dir"/emlab_*.deb)
echo "== lintian"
lintian --display-info --fail-on error "$deb"
echo "$deb"
