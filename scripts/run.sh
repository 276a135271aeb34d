#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds, and starts the program from the build
# folder, which holds Files/ with the lab documents. Without a display the
# program runs under Xvfb for a few seconds and a screenshot shows the window.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh dev
cd build
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec ./app/emlab
fi
shot="$PWD/emlab-screenshot.png"
echo "No display found (neither DISPLAY nor WAYLAND_DISPLAY is set): starting the program under Xvfb."
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  ./app/emlab & pid=$!
  sleep 4
  import -window root "$1"
  kill "$pid"; wait "$pid" 2>/dev/null || true
' _ "$shot"
echo "Screenshot of the program's window: $shot"
