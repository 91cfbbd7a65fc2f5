#!/usr/bin/env bash
# The three ways to end the designer each end it with status 0: the Exit button, Escape and the
# window's close button.
source "$(dirname "$0")/designer_lib.sh"

designer_start
click_at $EXIT
gui_wait_program_end 20
[[ $GUI_PROGRAM_STATUS == 0 ]] || gui_fail "Exit ended the designer with status $GUI_PROGRAM_STATUS"

designer_start
designer_escape

designer_start
gui_send_close_request "$WINDOW"
gui_wait_program_end 20
[[ $GUI_PROGRAM_STATUS == 0 ]] || gui_fail "closing the window ended it with status $GUI_PROGRAM_STATUS"
echo passed
