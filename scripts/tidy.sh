#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs clang-tidy (.clang-tidy) over the program's code, app/, bench/, model/,
# toolkit/ and widgets/ with their headers, exactly as the build folder given
# compiles it (default: build, configured by `cmake --preset dev`); it needs
# the configure step only, not the build. Fails on a finding.
#
# Most of clang-tidy's time goes on Qt's headers, which it parses and matches
# once per compiler run. Where the build compiles a library a batch of files
# per run, clang-tidy takes the same batches. The build's precompiled headers
# are GCC's, which clang cannot load, so clang reads the headers each file
# includes itself.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
db=$build/tidy
mkdir -p "$db"
sed -e 's/ -Winvalid-pch//g' -e 's/ -include [^ ]*cmake_pch\.hxx//g' "$build/compile_commands.json" \
  >"$db/compile_commands.json"
product="$PWD/(app|bench|model|toolkit|widgets)/[^/]*\\.cpp"
batches="/CMakeFiles/emlab_(model|toolkit|widgets|bench)\\.dir/Unity/unity_[0-9]+_cxx\\.cxx"
files=$(grep -o '"file": "[^"]*"' "$db/compile_commands.json" | cut -d '"' -f 4 | grep -E "^($product|.*$batches)\$")
rm -f "$db"/*.log
# One clang-tidy a processor, each writing its report to a file of its own.
# shellcheck disable=SC2086 # one file a word: the project's paths hold no blanks
printf '%s\n' $files | xargs -P "$(nproc)" -I {} \
  sh -c 'clang-tidy -p "$1" --quiet "$2" >"$1/$(echo "$2" | tr / _).log" 2>&1' _ "$db" {} && status=0 || status=$?
# The findings, each once (a header's is found in every file that includes it).
findings=$(cat "$db"/*.log | grep -E '^[^ ]+:[0-9]+:[0-9]+: (warning|error): ' | sort -u || true)
if [ "$status" -ne 0 ] || [ -n "$findings" ]; then
  [ -n "$findings" ] && printf '%s\n' "$findings" || cat "$db"/*.log
  echo "clang-tidy: $(printf '%s\n' "$findings" | grep -c . || true) findings in the program's code (reports: $db/*.log)"
  exit 1
fi
echo "clang-tidy: no findings in the program's code ($(echo "$files" | wc -l) compiler runs)"
