#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Formats every C++ file of the project by .clang-format, in place. With
# --check it changes nothing, names each file that differs from the style
# (with its first difference) and fails if there is one.
set -euo pipefail
cd "$(dirname "$0")/.."
mode=(-i)
[ "${1:-}" = --check ] && mode=(--dry-run -Werror --ferror-limit=1)
files=$(find app bench benchmarks docs model tests toolkit widgets -type f \( -name '*.cpp' -o -name '*.h' \) | sort)
# shellcheck disable=SC2086 # one file a word: the project's paths hold no blanks
if ! printf '%s\n' $files | xargs -P "$(nproc)" -n 8 clang-format --style=file "${mode[@]}"; then
  echo "Some C++ files differ from .clang-format: scripts/format.sh formats them."
  exit 1
fi
[ "${mode[0]}" = -i ] || echo "format: all $(printf '%s\n' $files | wc -l) C++ files as .clang-format says"
