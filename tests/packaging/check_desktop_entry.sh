#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The menu entry passes desktop-file-validate, starts the program by its name
# wherever it is installed, and docks can match the program's window to it: Qt gives the window the program file's name as the
# instance part of WM_CLASS, which StartupWMClass must name.
set -eu
entry=$1

# Hints are shown but pass: listing both main categories, Education and
# Science, draws one about the entry possibly showing in both menus.
out=$(desktop-file-validate "$entry" 2>&1) || { echo "$out"; exit 1; }
[ -z "$out" ] || echo "$out"
if echo "$out" | grep -q -e ': error:' -e ': warning:'; then exit 1; fi

value() { sed -n "s/^$1=//p" "$entry"; }
exec_line=$(value Exec)
program=$(basename "$exec_line")
wm_class=$(value StartupWMClass)
[ "$wm_class" = "$program" ] || { echo "StartupWMClass '$wm_class' does not name the program '$program'"; exit 1; }

# The entry names no folder of the install: the program is found on the
# PATH and finds its documents itself, so the install works under any prefix.
[ "$exec_line" = emlab ] || { echo "Exec '$exec_line' is not the program's name alone"; exit 1; }
if grep -q '^Path=' "$entry"; then echo "the entry sets a working folder: $(value Path)"; exit 1; fi
for category in Education Science; do
  value Categories | tr ';' '\n' | grep -qx "$category" || { echo "Categories lack $category"; exit 1; }
done
echo "menu entry valid: Exec=$exec_line StartupWMClass=$wm_class"
