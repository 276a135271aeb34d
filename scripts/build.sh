#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Configures and builds into the folder given (default: build), with any extra
# CMake options after it; `--target NAME` builds that target (and what it
# needs) alone. Shared by run.sh, test.sh and bench.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
shift || true
options=()
targets=()
while [ $# -gt 0 ]; do
  if [ "$1" = --target ]; then
    targets+=(--target "$2")
    shift 2
  else
    options+=("$1")
    shift
  fi
done
# A new folder is built with Ninja, which keeps both cores busy across targets;
# a folder configured before keeps the generator it has.
[ -f "$dir/CMakeCache.txt" ] || options+=(-G Ninja)
cmake -S . -B "$dir" "${options[@]}" >/dev/null
cmake --build "$dir" -j"$(nproc)" "${targets[@]}"
