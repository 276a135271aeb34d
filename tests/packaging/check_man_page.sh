#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The man page renders as man(1) renders it, with every warning on, and none
# is given; its sections are all there.
set -eu
page=$1
errors=$(mktemp)
trap 'rm -f "$errors"' EXIT

text=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>"$errors")
if [ -s "$errors" ]; then
  cat "$errors"
  exit 1
fi
for section in NAME SYNOPSIS DESCRIPTION OPTIONS FILES ENVIRONMENT; do
  echo "$text" | grep -qx "$section" || { echo "no $section section"; exit 1; }
done
echo "$text" | grep -q 'emlab *- virtual lab bench' || { echo "NAME line missing"; exit 1; }

# groff itself, with all warnings.
groff -k -man -Tutf8 -ww -z "$page" 2>"$errors"
if [ -s "$errors" ]; then
  cat "$errors"
  exit 1
fi
echo "man page renders without warnings"
