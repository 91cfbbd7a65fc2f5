#!/usr/bin/env bash
# With no display, the modes list is empty and opening the screen fails cleanly: the probe says
# so, its key wait returns (standard input is no terminal) and it ends with status 0; the
# libraries under the window system write nothing to standard error.
# Argument: the screen_probe program.
source "$(dirname "$0")/lib.sh"
probe=$1
log=$GUI_TMP/polled

started=$(gui_now_ms)
status=0
env -u DISPLAY -u WAYLAND_DISPLAY -u XDG_RUNTIME_DIR timeout 20 "$probe" >"$log" 2>"$log.err" </dev/null || status=$?
echo "ended after $(($(gui_now_ms) - started)) ms"
[[ $status == 0 ]] || gui_fail "the probe ended with status $status: $(cat "$log.err")"
[[ "$(grep -v '^opening ' "$log")" == "open 1" ]] || gui_fail "the probe printed: $(cat "$log")"
[[ ! -s $log.err ]] || gui_fail "standard error got: $(cat "$log.err")"
echo "passed"
