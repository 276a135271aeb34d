#!/usr/bin/env bash
# Builds in Release and prints the benchmark table: each case's median, then a
# line "ratio <name> <value>" per comparison (our time over the peer's).
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${EMLAB_BENCH_BUILD:-build-release}
scripts/deps.sh
scripts/build.sh "$dir" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
QT_QPA_PLATFORM=offscreen "$dir/benchmarks/emlab_benchmarks" "$@"
