#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The mirror lookup of the package check reads apt's sources as apt does:
# the one-line format with options, comments and other suites around it, the
# deb822 format with disabled and unrelated stanzas, and neither.
# Usage: check_apt_mirror.sh <scripts/apt-mirror.sh>
set -eu
lookup=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
failed=0

expect() {
  got=$("$lookup" "$dir/$1" 2>&1) && status=0 || status=$?
  if [ "$2" = none ]; then
    [ "$status" -ne 0 ] && [ -z "$got" ] || { echo "FAIL $1: expected no mirror, got '$got' ($status)"; failed=1; }
  else
    [ "$status" -eq 0 ] && [ "$got" = "$2" ] || { echo "FAIL $1: expected '$2', got '$got' ($status)"; failed=1; }
  fi
}

mkdir -p "$dir/one-line/sources.list.d"
cat >"$dir/one-line/sources.list" <<'LIST'
# deb http://commented.example/debian bookworm main
deb-src http://sources.example/debian bookworm main
deb http://security.example/debian-security bookworm-security main
deb [arch=amd64 signed-by=/usr/share/keyrings/a b.gpg] http://mirror.example/debian/ bookworm contrib main # local
deb http://later.example/debian bookworm main
LIST
expect one-line http://mirror.example/debian

mkdir -p "$dir/deb822/sources.list.d"
cat >"$dir/deb822/sources.list.d/a.sources" <<'SOURCES'
# the security archive comes first here
Types: deb deb-src
URIs: http://security.example/debian-security
Suites: bookworm-security
Components: main

Types: deb
URIs: http://off.example/debian
Suites: bookworm
Components: main
Enabled: no
SOURCES
cat >"$dir/deb822/sources.list.d/b.sources" <<'SOURCES'
Types: deb
URIs: http://first.example/debian
 http://second.example/debian
Suites: bookworm bookworm-updates
Components: main contrib
SOURCES
expect deb822 http://first.example/debian

# A one-line list without bookworm's main gives way to a stanza that has it.
mkdir -p "$dir/both/sources.list.d"
echo 'deb http://contrib.example/debian bookworm contrib' >"$dir/both/sources.list"
printf 'Types: deb\nURIs: http://stanza.example/debian\nSuites: bookworm\nComponents: main\n' \
  >"$dir/both/sources.list.d/debian.sources"
expect both http://stanza.example/debian

mkdir -p "$dir/none/sources.list.d"
echo 'deb http://other.example/ubuntu jammy main' >"$dir/none/sources.list"
expect none none

[ "$failed" -eq 0 ] && echo "the mirror is read from apt's sources in both formats"
exit "$failed"
