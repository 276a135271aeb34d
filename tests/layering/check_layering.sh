#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds each probe and checks that the allowed includes compile and the
# forbidden ones fail for the one reason that matters: the header is not found.
set -eu
build=$1
failed=0

expect() {
  outcome=$1 probe=$2 header=$3
  if out=$(cmake --build "$build" --target "$probe" 2>&1); then
    result=builds
  else
    result=fails
    echo "$out" | grep -q "$header: No such file or directory" || {
      echo "$probe failed for another reason:"; echo "$out"; failed=1; return; }
  fi
  if [ "$result" = "$outcome" ]; then
    echo "ok   $probe $result"
  else
    echo "FAIL $probe $result, expected it to be $outcome"; failed=1
  fi
}

expect builds probe_model_sees_model     model/beam_trace.h
expect fails  probe_model_sees_toolkit   toolkit/canvas.h
expect fails  probe_model_sees_qt        QString
expect fails  probe_toolkit_sees_widgets widgets/instrument_widget.h
expect builds probe_widgets_sees_toolkit toolkit/rounding.h
expect fails  probe_widgets_sees_bench   bench/bench_window.h
expect fails  probe_widgets_sees_model   model/lab_state.h
expect builds probe_bench_sees_model     model/lab_state.h
exit $failed
