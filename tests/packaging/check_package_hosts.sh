#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# No file of the project names a package host: every machine that builds or
# checks it takes its packages from the mirror its own apt is configured with.
# Usage: check_package_hosts.sh <source folder>
set -eu
cd "$1"
hosts='(deb|ftp[.a-z0-9]*|security|httpredir|snapshot|cdn-fastly|mirrors?)\.debian\.(org|net)'
hosts="$hosts|(archive|security|ports)\.ubuntu\.com|ppa\.launchpad(content)?\.net|packages\.cloud\.google\.com"
hosts="$hosts|deb\.nodesource\.com|registry\.npmjs\.org|pypi\.org|files\.pythonhosted\.org|download\.qt\.io"
hosts="$hosts|mirrors?\.ctan\.org"
found=$(find . -path ./.git -prune -o -path './build*' -prune -o -path ./check-package -prune -o -type f -print |
  xargs grep -I -n -i -E "$hosts" 2>/dev/null || true)
if [ -n "$found" ]; then
  echo "files that name a package host:"
  echo "$found"
  exit 1
fi
echo "no file names a package host"
