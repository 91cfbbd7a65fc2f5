#!/usr/bin/env bash
# A small form in a real window: a click focuses a field, typed keys reach its text on screen
# (letters are refused by the numeric field), a click on the button runs its action, and Escape
# ends the event loop. Argument: the small_form program.
source "$(dirname "$0")/../gui/lib.sh"
program=$1
name=$(basename "$program")
out=$GUI_TMP/out

# A left press and release at window pixel (x, y), slow enough for the loop to see both.
click_at() {
  xdotool mousemove --window "$window" "$1" "$2" mousedown 1
  sleep 0.2
  xdotool mouseup 1
}

gui_start_xvfb
gui_start_program "$out" "$program" 78
window=$(gui_wait_window "$name" 20)
gui_wait_line "$out" '^ready$' 20
mapfile -t expected < <(sed -n 's/^expect //p' "$out")
((${#expected[@]} >= 4)) || gui_fail "the program named no pixels to expect: $(cat "$out")"

# The first field's box, light grey while unfocused, turns white on the click.
gui_wait_pixels "$window" 20 "270 50 eeeeee"
click_at 270 50
gui_wait_pixels "$window" 20 "270 50 ffffff"

gui_focus "$window"
xdotool key 7 x 8
gui_wait_pixels "$window" 20 "${expected[@]}"

# The button at (10, 300)-(210, 330); its action reports the texts and paints the canvas.
seen=$(gui_lines "$out")
click_at 100 315
gui_wait_new_line "$out" "$seen" '^clicked 1278\|3\.5\|out$' 20
gui_wait_pixels "$window" 20 "435 35 ff0000" "425 25 ffffff"

xdotool key Escape
gui_wait_line "$out" '^loop ended$' 20
gui_wait_program_end 20
[[ $GUI_PROGRAM_STATUS == 0 ]] || gui_fail "the form ended with status $GUI_PROGRAM_STATUS: $(cat "$out.err")"
echo "passed"
