#!/usr/bin/env bash
# The designer's form as drawn in a real window: the mode line it printed, captions starting at
# x 20, boxes ending at x 330, the two buttons and the preview canvas.
source "$(dirname "$0")/designer_lib.sh"
designer_start

gui_wait_line "$GUI_TMP/out" $'^ 1024 X  768\r$' 5
wait_window_text 5 20 22 "NACA profile         [4 digit] "
wait_window_text 5 20 295 "STL precision [Chord divisions]"
wait_window_text 5 20 320 "Output name "
wait_window_text 5 284 22 "4412"
wait_window_text 5 132 320 'd:\xx\Blade'
# A box ends at x 330, its black border one pixel outside; the caption's first ink is at x 20.
gui_wait_pixels "$WINDOW" 5 "330 25 eeeeee" "331 25 000000" "330 330 eeeeee" "331 330 000000" "19 26 d4d0c8"
# The buttons at y 510-540 and 550-580: outer ring white, captions centred.
gui_wait_pixels "$WINDOW" 5 "10 510 ffffff" "340 540 ffffff" "10 550 ffffff" "340 580 ffffff" "175 509 d4d0c8"
wait_window_text 5 139 517 "Calculate"
wait_window_text 5 159 557 "Exit"
# The canvas from (350, 20) to (780, 580): a black frame round white.
gui_wait_pixels "$WINDOW" 5 "350 20 000000" "780 580 000000" "351 21 ffffff" "779 579 ffffff" "781 300 d4d0c8"

designer_escape
echo passed
