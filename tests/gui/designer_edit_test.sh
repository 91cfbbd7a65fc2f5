#!/usr/bin/env bash
# Editing a field changes the next run: the radius typed as 300 gives zephyrion-cli's files for
# --radius 300; a locked field (the profile) takes no key.
source "$(dirname "$0")/designer_lib.sh"
designer_start

set_field $RADIUS_FIELD 3 300
wait_window_text 5 284 64 "300"
click_at 320 28 # the locked profile field: no focus, so the keys go nowhere
xdotool type --delay 10 -- 99
click_at $CALCULATE
wait_window_text 20 22 $FIRST_RESULT_LINE_Y "Rotor speed 1592 RPM at 10 m/s wind"
wait_window_text 5 284 22 "4412"
same_files xx/Blade "$(cli_files --radius 300)"
head -n 1 xx/Blade.stl | grep -q 'Radius=300 ' || gui_fail "the STL header does not name the radius 300"

designer_escape
echo passed
