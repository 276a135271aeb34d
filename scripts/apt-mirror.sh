#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Prints the Debian mirror this machine's apt takes bookworm's main component
# from, so that a throw-away Debian root is made from the same place as the
# machine's own packages:
#
#   scripts/apt-mirror.sh [apt configuration folder, default /etc/apt]
#
# The first one-line `deb` entry for bookworm main (sources.list, then
# sources.list.d/*.list) wins; after them the first deb822 stanza in
# sources.list.d/*.sources whose Types, Suites and Components hold deb,
# bookworm and main. Disabled stanzas are passed over. Fails, printing
# nothing, when no source names one.
set -euo pipefail
apt=${1:-/etc/apt}

one_line() {
  awk '
    { sub(/#.*/, "") }
    $1 != "deb" { next }
    {
      line = $0
      sub(/^[ \t]*deb[ \t]+/, "", line)
      # Options stand in brackets and may hold spaces: [ arch=amd64 signed-by=... ]
      if (line ~ /^\[/) sub(/^\[[^]]*\][ \t]*/, "", line)
      n = split(line, f, /[ \t]+/)
      if (f[2] != "bookworm") next
      for (i = 3; i <= n; i++) if (f[i] == "main") { print f[1]; exit 0 }
    }' "$@"
}

deb822() {
  awk '
    function has(list, word,   n, w, i) {
      n = split(list, w, /[ \t]+/)
      for (i = 1; i <= n; i++) if (w[i] == word) return 1
      return 0
    }
    function stanza_end() {
      if (has(v["types"], "deb") && has(v["suites"], "bookworm") && has(v["components"], "main") &&
          tolower(v["enabled"]) != "no" && v["uris"] != "") {
        split(v["uris"], u, /[ \t]+/)
        print u[1]
        found = 1
        exit 0
      }
      delete v
      key = ""
    }
    FNR == 1 && NR > 1 { stanza_end() }
    /^[ \t]*#/ { next }
    /^[ \t]*$/ { stanza_end(); next }
    /^[ \t]/ { if (key != "") v[key] = v[key] " " $0; next }
    {
      key = tolower(substr($0, 1, index($0, ":") - 1))
      value = substr($0, index($0, ":") + 1)
      sub(/^[ \t]+/, "", value)
      v[key] = value
    }
    END { if (!found) stanza_end() }' "$@"
}

shopt -s nullglob
lists=()
for f in "$apt/sources.list" "$apt"/sources.list.d/*.list; do
  [ -r "$f" ] && lists+=("$f")
done
sources=("$apt"/sources.list.d/*.sources)

mirror=
[ ${#lists[@]} -eq 0 ] || mirror=$(one_line "${lists[@]}")
[ -n "$mirror" ] || [ ${#sources[@]} -eq 0 ] || mirror=$(deb822 "${sources[@]}")
# A trailing slash says nothing about the place.
mirror=${mirror%/}
[ -n "$mirror" ] || exit 1
echo "$mirror"
