#!/usr/bin/env bash
# A value out of range: the results panel says which field and what it may hold, nothing is
# written, and correcting the value makes the next run write its files.
source "$(dirname "$0")/designer_lib.sh"
designer_start

set_field $BLADES_FIELD 1 0
click_at $CALCULATE
wait_window_text 20 22 $FIRST_RESULT_LINE_Y "Number of blades must be from 1 to 20:"
[[ -z $(ls -A) ]] || gui_fail "a refused design wrote: $(ls -A)"

set_field $BLADES_FIELD 1 2
click_at $CALCULATE
wait_window_text 20 22 $FIRST_RESULT_LINE_Y "Rotor speed 955 RPM at 10 m/s wind"
same_files xx/Blade "$(cli_files --blades 2)"

designer_escape
echo passed
