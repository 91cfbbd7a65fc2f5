# Helpers for the tests of the designer in a real window, on top of lib.sh. A script sources this
# with the designer, the command-line designer and read_screen_text as its three arguments, and
# works in a folder of its own ($WORK), where the designer writes its files.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

DESIGNER=$1
CLI=$2
READ_SCREEN_TEXT=$3
WORK=$GUI_TMP/work
mkdir -p "$WORK"
cd "$WORK"

# Places on the form (window pixels).
CALCULATE="175 525"
EXIT="175 565"
RADIUS_FIELD="320 70"
BLADES_FIELD="320 91"
OUTPUT_FIELD="320 326"
FIRST_RESULT_LINE_Y=422 # text of the first result line, 18 pixels between lines

# Starts the designer and waits until its form is drawn.
designer_start() {
  [[ -n ${DISPLAY:-} ]] || gui_start_xvfb
  gui_start_program "$GUI_TMP/out" "$DESIGNER"
  WINDOW=$(gui_wait_window zephyrion 20)
  gui_wait_pixels "$WINDOW" 20 "351 21 ffffff" "175 540 ffffff"
  gui_focus "$WINDOW"
}

# A left press and release at a window pixel, slow enough for the event loop to see both.
click_at() {
  xdotool mousemove --window "$WINDOW" "$1" "$2" mousedown 1
  sleep 0.1
  xdotool mouseup 1
  sleep 0.05
}

# Replaces the text of the field at (x, y): a click puts the caret at the end, Backspace clears.
set_field() {
  local x=$1 y=$2 length=$3 text=$4
  click_at "$x" "$y"
  xdotool key --repeat "$length" --delay 5 BackSpace
  xdotool type --delay 10 -- "$text"
}

# Saves the window as an 8-bit PPM, the picture read_screen_text and the preview checks read.
screenshot_ppm() {
  gui_screenshot "$WINDOW" "$GUI_TMP/screen.miff"
  convert "$GUI_TMP/screen.miff" -depth 8 "$GUI_TMP/screen.ppm"
}

# The LENGTH characters drawn in COLOUR from window pixel (x, y).
window_text() {
  screenshot_ppm
  "$READ_SCREEN_TEXT" "$GUI_TMP/screen.ppm" "$1" "$2" "$3" "$4"
}

# Waits until TEXT stands in COLOUR at window pixel (x, y).
wait_window_text() {
  local seconds=$1 x=$2 y=$3 text=$4 colour=${5:-000000} deadline actual
  deadline=$(gui_deadline "$seconds")
  while :; do
    actual=$(window_text "$x" "$y" "${#text}" "$colour")
    [[ $actual == "$text" ]] && return 0
    gui_before "$deadline" || gui_fail "the window shows [$actual] at ($x, $y), not [$text]"
    sleep 0.05
  done
}

# Runs the command-line designer with the options in a folder of its own and prints the folder.
cli_files() {
  local folder
  folder=$(mktemp -d "$GUI_TMP/cli.XXXX")
  (cd "$folder" && "$CLI" "$@" >stdout) || gui_fail "zephyrion-cli $* failed"
  echo "$folder"
}

# Fails unless the designer's files NAME.stl/.xls/.txt equal those in the folder.
same_files() {
  local name=$1 folder=$2 extension
  for extension in stl xls txt; do
    cmp -s "$name.$extension" "$folder/$name.$extension" ||
      gui_fail "$name.$extension differs from zephyrion-cli's (or is missing)"
  done
}

# Ends the designer with Escape and checks its status.
designer_escape() {
  xdotool key Escape
  gui_wait_program_end 20
  [[ $GUI_PROGRAM_STATUS == 0 ]] || gui_fail "the designer ended with status $GUI_PROGRAM_STATUS"
}
