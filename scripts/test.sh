#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds, and runs every test offscreen: once in the
# developer build (CMake preset dev, build/) and once built with
# AddressSanitizer and UndefinedBehaviorSanitizer (preset sanitize,
# build-sanitize/, which also leaves out precompiled headers, unity batches
# and the documents), where any report fails the run. A compiler warning fails
# either build. Beside the builds it checks that every C++ file is formatted
# as .clang-format says (scripts/format.sh --check) and runs clang-tidy over
# the program's code (scripts/tidy.sh); a finding fails the run.
#
# The real-window scenarios spend most of their time waiting on the X server.
# So each build makes the program and the scenarios first and starts them in
# the background, then builds the rest beside them at the lowest priority:
# the processors are kept busy, and the scenarios' patience is not tried by
# a busy machine. Their reports follow the other tests'.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
scripts/deps.sh

jobs=$(nproc)

# Work in the background whose log is shown at the end: the style and
# clang-tidy, which need the configure step only and run beside the builds at
# the lowest priority, and the real-window scenarios.
tasks=()
task_logs=()
start_task() {
  local log=$1
  shift
  "$@" >"$log" 2>&1 &
  tasks+=($!)
  task_logs+=("$log")
}
start_scenarios() {
  start_task "$root/$2/realwindow-tests.log" ctest --preset "$1" -L realwindow -j"$jobs"
}
task_reports() {
  local status=0 i
  for i in "${!tasks[@]}"; do
    wait "${tasks[$i]}" || status=1
    echo "== ${task_logs[$i]}"
    cat "${task_logs[$i]}"
  done
  return "$status"
}
# A failure elsewhere still waits for what runs in the background and shows
# its reports.
trap 'wait; task_reports >&2 || true' EXIT

# A build in the background writes its log to a file, shown if it fails.
background_build() {
  local log=$1
  shift
  nice -n 19 scripts/build.sh "$@" >"$log" 2>&1 &
  builds+=($!)
  build_logs+=("$log")
}
builds=()
build_logs=()
wait_for_builds() {
  local i status=0
  for i in "${!builds[@]}"; do
    wait "${builds[$i]}" || { status=1; cat "${build_logs[$i]}"; }
  done
  builds=()
  build_logs=()
  return "$status"
}

echo "== developer build"
cmake --preset dev >/dev/null
start_task "$root/build/format-check.log" nice -n 19 scripts/format.sh --check
start_task "$root/build/tidy-check.log" nice -n 19 scripts/tidy.sh build
scripts/build.sh dev --target emlab_realwindow_suites
start_scenarios dev build
# The two builds side by side: each one's steps that only one processor can
# take (its links, the documents) leave room for the other's.
echo "== sanitized build (address, undefined), beside it"
mkdir -p build-sanitize
background_build build-sanitize/build-log.txt sanitize --target emlab_realwindow_suites
nice -n 19 scripts/build.sh dev
wait_for_builds

start_scenarios sanitize build-sanitize
background_build build-sanitize/build-log.txt sanitize
echo "== developer build: tests"
ctest --preset dev -LE realwindow -j"$jobs"
echo "== sanitized build: tests"
wait_for_builds
ctest --preset sanitize -LE realwindow -j"$jobs"

trap - EXIT
task_reports
