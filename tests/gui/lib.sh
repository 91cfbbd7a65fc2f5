# Helpers for the real-window tests. Each test script runs its own Xvfb on a display the server
# picks itself, so tests can run side by side; everything a script started is stopped when it
# exits, the program before the X server. Every wait polls against a deadline.
#
#   source "$(dirname "$0")/../gui/lib.sh"   # or the path of this file
#   gui_start_xvfb                           # exports DISPLAY
#   gui_start_program "$GUI_TMP/out" ./program args...
#   wid=$(gui_wait_window program 20)        # the window whose title is exactly "program"
#   gui_wait_line "$GUI_TMP/out" '^ready$' 20
#   seen=$(gui_lines "$GUI_TMP/out"); xdotool mousedown 1
#   gui_wait_new_line "$GUI_TMP/out" "$seen" '^mouse .* 1$' 20   # only lines the action added
#   gui_wait_pixels "$wid" 20 "150 150 ff0000" "99 150 0000ff"   # x y rrggbb, window pixels
#   gui_focus "$wid"; xdotool key a Left
#   xdotool mousemove --window "$wid" 20 30 click 1
#   gui_send_close_request "$wid"            # the window's close button
#   gui_wait_program_end 20; [[ $GUI_PROGRAM_STATUS == 0 ]]
#
# The close request needs GUI_SEND_CLOSE_REQUEST, the path of the send_close_request helper (the
# CTest registration of tests/gui sets it). Failures print the reason and exit 1.
set -euo pipefail

GUI_TMP=$(mktemp -d)
GUI_XVFB_PID=""
GUI_PROGRAM_PID=""
GUI_PROGRAM_STATUS=""

gui_fail() {
  echo "FAIL: $*" >&2
  exit 1
}

gui_stop_program() {
  if [[ -n $GUI_PROGRAM_PID ]] && kill -0 "$GUI_PROGRAM_PID" 2>/dev/null; then
    kill "$GUI_PROGRAM_PID" 2>/dev/null || true
    wait "$GUI_PROGRAM_PID" 2>/dev/null || true
  fi
  GUI_PROGRAM_PID=""
}

gui_cleanup() {
  gui_stop_program
  if [[ -n $GUI_XVFB_PID ]]; then
    kill "$GUI_XVFB_PID" 2>/dev/null || true
    wait "$GUI_XVFB_PID" 2>/dev/null || true
  fi
  rm -rf "$GUI_TMP"
}
trap gui_cleanup EXIT

# Milliseconds on a monotonic-enough clock, and a deadline that many seconds from now.
gui_now_ms() { echo $(($(date +%s%N) / 1000000)); }
gui_deadline() { echo $(($(gui_now_ms) + $1 * 1000)); }
gui_before() { (($(gui_now_ms) < $1)); }

# Starts Xvfb with a 1024x768 24-bit screen on a free display and exports DISPLAY. -noreset keeps
# the server's state (the pointer's position) when its last client leaves.
gui_start_xvfb() {
  local number_file=$GUI_TMP/display
  : >"$number_file"
  Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 1024x768x24 3>"$number_file" 2>"$GUI_TMP/xvfb.log" &
  GUI_XVFB_PID=$!
  local deadline
  deadline=$(gui_deadline 20)
  while ! grep -q '^[0-9][0-9]*$' "$number_file"; do
    kill -0 "$GUI_XVFB_PID" 2>/dev/null || gui_fail "Xvfb ended: $(cat "$GUI_TMP/xvfb.log")"
    gui_before "$deadline" || gui_fail "Xvfb gave no display number"
    sleep 0.05
  done
  export DISPLAY=":$(head -n 1 "$number_file")"
}

# Runs a program in the background with no standard input; its standard output goes to the
# given file and its errors to that file plus ".err".
gui_start_program() {
  local output=$1
  shift
  "$@" >"$output" 2>"$output.err" </dev/null &
  GUI_PROGRAM_PID=$!
}

# Waits for the program to end; its exit status is then in GUI_PROGRAM_STATUS.
gui_wait_program_end() {
  local deadline
  deadline=$(gui_deadline "$1")
  while kill -0 "$GUI_PROGRAM_PID" 2>/dev/null; do
    gui_before "$deadline" || gui_fail "the program did not end within $1 s"
    sleep 0.05
  done
  GUI_PROGRAM_STATUS=0
  wait "$GUI_PROGRAM_PID" || GUI_PROGRAM_STATUS=$?
  GUI_PROGRAM_PID=""
}

# Prints the id of the visible window titled exactly NAME, waiting up to TIMEOUT seconds.
gui_wait_window() {
  local id
  id=$(timeout "$2" xdotool search --sync --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1) ||
    gui_fail "no window named $1 within $2 s"
  [[ -n $id ]] || gui_fail "no window named $1 within $2 s"
  echo "$id"
}

# Waits until a line of FILE matches the extended regular expression.
gui_wait_line() {
  local deadline
  deadline=$(gui_deadline "$3")
  until grep -Eq -- "$2" "$1"; do
    gui_before "$deadline" || gui_fail "no line matching '$2' within $3 s in $1:
$(cat "$1")"
    sleep 0.05
  done
}

# How many lines FILE has now; with gui_wait_new_line, waits for what an action adds.
gui_lines() { wc -l <"$1"; }

# Waits until a line after the first FROM lines of FILE matches the extended regular expression.
gui_wait_new_line() {
  local deadline
  deadline=$(gui_deadline "$4")
  until tail -n "+$(($2 + 1))" "$1" | grep -Eq -- "$3"; do
    gui_before "$deadline" || gui_fail "no new line matching '$3' within $4 s in $1:
$(cat "$1")"
    sleep 0.05
  done
}

# Gives the keyboard to the window (works without a window manager).
gui_focus() { timeout 10 xdotool windowfocus --sync "$1" || gui_fail "could not focus window $1"; }

# Saves a picture of the window (or of the whole screen for "root") to FILE, any format
# ImageMagick writes (.png, .miff, ...).
gui_screenshot() {
  if [[ $1 == root ]]; then
    import -silent -window root "$2"
  else
    import -silent -window "$1" "$2"
  fi
}

# Prints the colours (rrggbb, lower case) of the window's pixels, each given as "x y".
gui_pixels() {
  local window=$1
  shift
  local picture=$GUI_TMP/capture.miff format="" point
  gui_screenshot "$window" "$picture"
  for point in "$@"; do
    read -r x y <<<"$point"
    format+="%[hex:u.p{$x,$y}] "
  done
  convert "$picture" -depth 8 -format "$format" info: | tr 'A-F' 'a-f' | tr ' ' '\n' | grep -v '^$' | cut -c1-6
}

# The colour of one window pixel.
gui_pixel() { gui_pixels "$1" "$2 $3"; }

# Waits until each "x y rrggbb" holds for the window's pixels.
gui_wait_pixels() {
  local window=$1 seconds=$2
  shift 2
  local points=() wanted=() expected deadline actual
  for expected in "$@"; do
    read -r x y colour <<<"$expected"
    points+=("$x $y")
    wanted+=("$colour")
  done
  deadline=$(gui_deadline "$seconds")
  while :; do
    actual=$(gui_pixels "$window" "${points[@]}" | tr '\n' ' ')
    [[ "$actual" == "${wanted[*]} " ]] && return 0
    gui_before "$deadline" || gui_fail "pixels (${points[*]}) are ($actual), not (${wanted[*]})"
    sleep 0.05
  done
}

# Sends the window the request its close button would send.
gui_send_close_request() {
  [[ -x ${GUI_SEND_CLOSE_REQUEST:-} ]] || gui_fail "GUI_SEND_CLOSE_REQUEST names no program"
  "$GUI_SEND_CLOSE_REQUEST" "$1" || gui_fail "could not send the close request to window $1"
}
