#!/usr/bin/env bash
# Measures how long the screen takes from the gfxOpenScreen request to the first frame that
# shows the drawn picture, under Xvfb: the screen probe notes the moment of its request on the
# monotonic clock, and a watcher started beforehand reads one pixel of the display every
# millisecond on the same clock. Not a test: it prints figures.
# Usage: startup_time.sh SCREEN_PROBE [RUNS]
source "$(dirname "$0")/lib.sh"
probe=$1
runs=${2:-5}
gui_start_xvfb

# Prints "watching", then the monotonic time at which the display's pixel (262, 234) turns red:
# the window is centred on the 1024x768 screen, so that is its pixel (150, 150), inside the red view.
watch_for_red() {
  PYTHONPATH=$(dirname "$0") python3 - <<'PYTHON'
import sys, time
from display_pixels import pixel
print("watching", flush=True)
deadline = time.monotonic() + 60
while time.monotonic() < deadline:
    if pixel(262, 234) == 0xFF0000:
        print(time.monotonic(), flush=True)
        break
    time.sleep(0.001)
PYTHON
}

for ((run = 1; run <= runs; run++)); do
  log=$GUI_TMP/polled
  watched=$GUI_TMP/watched
  watch_for_red >"$watched" &
  watcher=$!
  gui_wait_line "$watched" '^watching$' 20
  launched=$(python3 -c 'import time; print(time.monotonic())')
  gui_start_program "$log" "$probe"
  wait "$watcher"
  shown=$(tail -n 1 "$watched")
  gui_wait_line "$log" '^ready$' 20
  requested=$(sed -n 's/^opening //p' "$log")
  python3 -c "print('run $run: request to first frame %.1f ms, program start to first frame %.1f ms' % \
    (($shown - $requested) * 1000, ($shown - $launched) * 1000))"
  gui_stop_program
done
