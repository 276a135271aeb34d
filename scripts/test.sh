#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds, and runs every test offscreen: once in a
# normal build and once built with AddressSanitizer and
# UndefinedBehaviorSanitizer, where any report fails the run.
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
export QT_QPA_PLATFORM=offscreen

scenarios=()
scenario_logs=()
start_scenarios() {
  local dir=$1
  (cd "$dir" && ctest --output-on-failure -L realwindow -j"$jobs" >realwindow-tests.log 2>&1) &
  scenarios+=($!)
  scenario_logs+=("$root/$dir/realwindow-tests.log")
}
scenario_reports() {
  local status=0 i
  for i in "${!scenarios[@]}"; do
    wait "${scenarios[$i]}" || status=1
    echo "== real-window scenarios: ${scenario_logs[$i]}"
    cat "${scenario_logs[$i]}"
  done
  return "$status"
}
# A failure elsewhere still waits for what runs in the background and shows
# the scenarios' reports.
trap 'wait; scenario_reports >&2 || true' EXIT

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

sanitized=(build-sanitize -DEMLAB_SANITIZE=ON -DEMLAB_BENCHMARKS=OFF -DEMLAB_DOCUMENTS=OFF
           -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1")
mkdir -p build-sanitize

echo "== normal build"
scripts/build.sh build --target tests_realwindow
start_scenarios build
# The two builds side by side: each one's steps that only one processor can
# take (its precompiled headers, its links) leave room for the other's.
echo "== sanitized build (address, undefined), beside it"
background_build build-sanitize/build-log.txt "${sanitized[@]}" --target tests_realwindow
nice -n 19 scripts/build.sh build
wait_for_builds

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:halt_on_error=1:detect_stack_use_after_return=0"
export LSAN_OPTIONS="suppressions=$root/tests/sanitizer/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
start_scenarios build-sanitize
background_build build-sanitize/build-log.txt "${sanitized[@]}"
echo "== normal build: tests"
(cd build && ctest --output-on-failure -LE realwindow -j"$jobs")
echo "== sanitized build: tests"
wait_for_builds
(cd build-sanitize && ctest --output-on-failure -LE realwindow -j"$jobs")

trap - EXIT
scenario_reports
