#!/usr/bin/env bash
# The screen in a real window: the drawn picture reaches the window, keys and the mouse come
# back through the polls, the close button comes as the key 255 107, and the end writes out
# the file slots. Argument: the screen_probe program.
source "$(dirname "$0")/lib.sh"
probe=$1
name=$(basename "$probe")
log=$GUI_TMP/polled

gui_start_xvfb
gui_start_program "$log" "$probe" "$GUI_TMP/slot.txt"
window=$(gui_wait_window "$name" 20)
gui_wait_line "$log" '^ready$' 20

grep -qx 'mode 1024 768' "$log" || gui_fail "Xvfb's 24-bit mode is not listed for depth 32: $(cat "$log")"
grep -qx 'open 0' "$log" || gui_fail "the screen did not open"

# The view (100,100)-(299,199) filled red inside a blue border, a green box 10..59 x 10..39 in it,
# the grey background around, and the first glyph of the text.
read -r _ ink_x ink_y < <(grep '^ink ' "$log")
read -r _ paper_x paper_y < <(grep '^paper ' "$log")
gui_wait_pixels "$window" 20 \
  "100 100 ff0000" "299 199 ff0000" "99 150 0000ff" "300 150 0000ff" "200 99 0000ff" "200 200 0000ff" \
  "98 150 d4d0c8" "0 0 d4d0c8" "799 599 d4d0c8" "110 110 00ff00" "159 139 00ff00" "160 139 ff0000" \
  "$ink_x $ink_y 000000" "$paper_x $paper_y ff0000"

# Keys: a typed letter, two extended keys, Escape (which ends nothing here).
gui_focus "$window"
xdotool key a Left Delete Escape
gui_wait_line "$log" '^key 27$' 20
keys=$(grep '^key ' "$log" | tr '\n' '|')
[[ $keys == "key 97|key 255 75|key 255 83|key 27|" ]] || gui_fail "keys polled as $keys"

# The mouse: position in window pixels, buttons 1 and 1+2, the wheel; off the window the poll fails.
xdotool mousemove --window "$window" 20 30
gui_wait_line "$log" '^mouse 0 20 30 0 0$' 20
for step in "mousedown 1:0 1" "mousedown 3:0 3" "mouseup 3:0 1" "mouseup 1:0 0" "click 4:1 0"; do
  seen=$(gui_lines "$log")
  xdotool ${step%%:*}
  gui_wait_new_line "$log" "$seen" "^mouse 0 20 30 ${step#*:}\$" 20
done
seen=$(gui_lines "$log")
xdotool mousemove 5 5
gui_wait_new_line "$log" "$seen" '^mouse 1 -1 -1 -1 -1$' 20

# The close button: the key 255 107; the probe then ends, which writes out its open file slot.
gui_send_close_request "$window"
gui_wait_line "$log" '^key 255 107$' 20
gui_wait_program_end 20
[[ $GUI_PROGRAM_STATUS == 0 ]] || gui_fail "the probe ended with status $GUI_PROGRAM_STATUS: $(cat "$log.err")"
[[ "$(cat "$GUI_TMP/slot.txt")" == $'written before the end\r' ]] || gui_fail "the open file slot was not written out"
echo "passed"
