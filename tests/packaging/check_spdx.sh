#!/bin/sh
# Every source file names its licence in one of its first three lines:
#   SPDX-License-Identifier: GPL-3.0-or-later
# (the Debian copyright file names it in its own License field).
# Usage: check_spdx.sh <source folder>
set -eu
cd "$1"
missing=$(find CMakeLists.txt app bench benchmarks cmake docs model packaging scripts tests toolkit widgets .ci \
    -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.sh' -o -name 'CMakeLists.txt' -o -name '*.cmake' \
    -o -name '*.in' -o -name '*.tex' -o -name '*.sty' -o -name '*.cls' -o -path '.ci/*' \) \
    ! -name copyright.in |
  sort | while read -r file; do
    head -n 3 "$file" | grep -q 'SPDX-License-Identifier: GPL-3.0-or-later' || echo "$file"
  done)
if [ -n "$missing" ]; then
  echo "without the licence line:"
  echo "$missing"
  exit 1
fi
echo "every source file names its licence"
