#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Each metainfo file given passes appstreamcli's validation without a network:
# no error and no warning (hints are reported, not failed).
set -eu
for file in "$@"; do
  out=$(appstreamcli validate --no-net "$file" 2>&1) || { echo "$out"; exit 1; }
  echo "$out"
  if echo "$out" | grep -q '^[EW]:'; then
    echo "$file: errors or warnings"
    exit 1
  fi
done
