#!/usr/bin/env bash
# With no display the designer says "Can't set graphic mode", and nothing else on either output,
# and ends with status 0 at once, as its standard input is no terminal.
source "$(dirname "$0")/designer_lib.sh"
unset DISPLAY WAYLAND_DISPLAY XDG_RUNTIME_DIR

started=$(gui_now_ms)
status=0
"$DESIGNER" </dev/null >"$GUI_TMP/out" 2>"$GUI_TMP/err" || status=$?
elapsed=$(($(gui_now_ms) - started))
[[ $status == 0 ]] || gui_fail "ended with status $status"
[[ $(cat "$GUI_TMP/out") == "Can't set graphic mode"$'\r' ]] || gui_fail "printed [$(cat -A "$GUI_TMP/out")]"
[[ ! -s $GUI_TMP/err ]] || gui_fail "wrote to standard error: $(cat "$GUI_TMP/err")"
((elapsed < 2000)) || gui_fail "took $elapsed ms"
echo "passed in $elapsed ms"
