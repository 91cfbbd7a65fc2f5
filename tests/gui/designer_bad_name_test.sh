#!/usr/bin/env bash
# An output name in a missing folder: the field shows "Bad file name", a beep sounds and nothing
# is written; a second Calculate writes "Bad file name.stl" and its siblings, as zephyrion-cli
# does. The beep goes to a sound card no machine has, and cannot sound: it is silent, with not a
# word from the sound library on standard error.
source "$(dirname "$0")/designer_lib.sh"
export SDL_AUDIODRIVER=alsa AUDIODEV=hw:99
designer_start

set_field $OUTPUT_FIELD 11 'd:\missing\deeper\Blade'
wait_window_text 5 132 320 'd:\missing\deeper\Blade'
click_at $CALCULATE
wait_window_text 20 132 320 "Bad file name"
[[ -z $(ls -A) ]] || gui_fail "a failed run wrote: $(ls -A)"

click_at $CALCULATE
wait_window_text 20 22 $FIRST_RESULT_LINE_Y "Rotor speed 955 RPM at 10 m/s wind"
same_files "Bad file name" "$(cli_files --output 'Bad file name')"

designer_escape
[[ ! -s $GUI_TMP/out.err ]] || gui_fail "the designer wrote to standard error: $(cat "$GUI_TMP/out.err")"
echo passed
