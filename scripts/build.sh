#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Configures and builds one of the CMake presets (CMakePresets.json: dev,
# sanitize, release, package; default dev) in the preset's own folder, as
# `cmake --preset NAME && cmake --build --preset NAME` would; `--target NAME`
# builds that target (and what it needs) alone. Shared by run.sh, test.sh,
# bench.sh and package.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
preset=${1:-dev}
shift || true
targets=()
while [ $# -gt 0 ]; do
  [ "$1" = --target ] || { echo "usage: $0 [PRESET] [--target NAME]..." >&2; exit 2; }
  targets+=(--target "$2")
  shift 2
done
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j"$(nproc)" "${targets[@]}"
