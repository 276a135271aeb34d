#!/usr/bin/env bash
# Builds in Release and prints the benchmark table: each case's median, then a
# line "ratio <name> <value>" per comparison (our time over the peer's).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh build-release -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
QT_QPA_PLATFORM=offscreen build-release/benchmarks/emlab_benchmarks "$@"
