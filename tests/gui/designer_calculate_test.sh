#!/usr/bin/env bash
# Calculate with the form's defaults: the designer writes xx/Blade.stl, .xls and .txt exactly as
# zephyrion-cli does, shows the four result lines at y 420, 438, 456 and 474, and plots the
# blade's outline: the tip row at canvas y 550, row 2 at y 12, about the axis column 215.
# With ZEPHYRION_SCREENSHOT set, the window after the run is saved there as a PNG.
source "$(dirname "$0")/designer_lib.sh"
designer_start

click_at $CALCULATE
cli=$(cli_files)
mapfile -t lines <"$cli/stdout"
for i in 0 1 2 3; do
  wait_window_text 20 22 $((FIRST_RESULT_LINE_Y + 18 * i)) "${lines[i]}"
done
same_files xx/Blade "$cli"

# Preview points are colour 7; canvas (px, py) is window (350 + px, 20 + py).
screenshot_ppm
points_in_row() { convert "$GUI_TMP/screen.ppm" -crop "431x1+350+$1" +repage txt:- | grep '#000007' | cut -d, -f1; }
[[ -n $(points_in_row 570) ]] || gui_fail "no preview point on the tip row (canvas y 550)"
[[ -n $(points_in_row 32) ]] || gui_fail "no preview point on row 2 (canvas y 12)"
[[ -z $(points_in_row 31) && -z $(points_in_row 571) ]] || gui_fail "preview points beyond rows 2 and 500"
# Row 2 is a hub block, symmetric about the span axis at canvas x 215.
mapfile -t row2 < <(points_in_row 32 | sort -n)
((row2[0] + row2[${#row2[@]} - 1] == 2 * 215)) || gui_fail "row 2 spans ${row2[0]}..${row2[-1]}, not about 215"

if [[ -n ${ZEPHYRION_SCREENSHOT:-} ]]; then
  convert "$GUI_TMP/screen.ppm" -colors 32 "PNG8:$ZEPHYRION_SCREENSHOT"
fi
designer_escape
echo passed
