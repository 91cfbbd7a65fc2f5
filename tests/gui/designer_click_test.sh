#!/usr/bin/env bash
# A click whose press and release arrive together, as `xdotool click`, remote desktops and some
# touch pads send them, still counts: on a field it gives the field the keyboard, on Calculate it
# runs the design.
source "$(dirname "$0")/designer_lib.sh"
designer_start

xdotool mousemove --window "$WINDOW" $RADIUS_FIELD click 1
xdotool type --delay 10 -- 7
wait_window_text 5 284 64 "5007"

xdotool mousemove --window "$WINDOW" $CALCULATE click 1
cli=$(cli_files --radius 5007)
wait_window_text 20 22 $FIRST_RESULT_LINE_Y "$(head -n 1 "$cli/stdout")"
same_files xx/Blade "$cli"

designer_escape
echo passed
