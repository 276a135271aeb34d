#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the release preset in build-release/ and prints the benchmark table:
# each case's median, then a line "ratio <name> <value>" per comparison (our
# time over the peer's), and last each ratio against its target. Cases named
# after it run alone.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=build-release
scripts/deps.sh
scripts/build.sh release >/dev/null
out=$(mktemp)
trap 'rm -f "$out"' EXIT
QT_QPA_PLATFORM=offscreen "$dir/benchmarks/emlab_benchmarks" "$@" | tee "$out"

# The targets: our figure at most this many times the peer's.
echo
printf '%-28s %8s %8s  %s\n' "ratio" "value" "target" "result"
awk '
  BEGIN {
    t["trace_vs_bare"] = 0.8; t["trace_avx_vs_trace_plain"] = 1.1
    t["ammeter_vs_qlcdnumber"] = 1.0
    t["dial_dynamic_vs_full"] = 0.2; t["dial_dynamic_vs_qdial"] = 0.15
    t["ramp_tick_vs_dial_dynamic"] = 1.2; t["startup_vs_bare_window"] = 1.5
    t["memory_vs_bare_window"] = 1.3; t["startup_vs_text_window"] = 1.15
    t["memory_vs_text_window"] = 1.08
  }
  $1 == "ratio" {
    target = ($2 in t) ? sprintf("%.2f", t[$2]) : "-"
    result = ($2 in t) ? (($3 + 0 <= t[$2]) ? "met" : "MISSED") : ""
    printf "%-28s %8.3f %8s  %s\n", $2, $3, target, result
  }' "$out"
