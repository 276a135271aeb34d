#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package (Release, installed under /usr, with Debian's
# hardening flags) in build-package/, or in EMLAB_PACKAGE_BUILD (absolute or
# relative to the checkout), and checks it with lintian; fails on any lintian
# error. The package's path is the last line printed.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh dpkg-dev lintian
dir=${EMLAB_PACKAGE_BUILD:-build-package}
# A folder given relative is taken from the checkout, as scripts/build.sh takes it.
case $dir in /*) ;; *) dir=$PWD/$dir ;; esac
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
scripts/build.sh "$dir" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DBUILD_TESTING=OFF -DEMLAB_BENCHMARKS=OFF \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
rm -f "$dir"/emlab_*.deb
(cd "$dir" && cpack -G DEB >/dev/null)
deb=$(ls "$dir"/emlab_*.deb)
echo "== lintian"
lintian --display-info --fail-on error "$deb"
echo "$deb"
