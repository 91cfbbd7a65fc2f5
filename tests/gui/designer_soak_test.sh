#!/usr/bin/env bash
# The designer under a long run of random input: 3,000 events (clicks anywhere but on Exit and
# the two fields that set the blade's size, clicks on the other fields and on Calculate, drags,
# digits, ".", letters, Backspace, Delete, Left, Right, Enter), sent faster than anyone types.
# Afterwards it still redraws a field it is typed into, ends with status 0 on Escape, and every
# STL file it wrote is a closed mesh.
#
# The events come from bash's generator seeded with ZEPHYRION_SEED (printed, so that a
# failure can be sent the same events again; what the designer makes of them also depends on
# how fast it takes them). The fourth argument is the check_stl_meshes program.
source "$(dirname "$0")/designer_lib.sh"
CHECK_MESHES=$4
SEED=${ZEPHYRION_SEED:-11}
EVENTS=3000
echo "[   SEED   ] $SEED (set ZEPHYRION_SEED to repeat or vary)"

# A runaway design (typed digits can make the radius huge) must not fill the disk: files stop at
# 128 MB, where a write fails (instead of the signal that would end the designer) and the run
# reports it and removes its files.
cat >"$GUI_TMP/zephyrion" <<LIMITED
#!/bin/sh
ulimit -f 131072
trap '' XFSZ
exec "$DESIGNER"
LIMITED
chmod +x "$GUI_TMP/zephyrion"
DESIGNER=$GUI_TMP/zephyrion
designer_start

declare -A count=()
script=$GUI_TMP/events.xdo

# Where no press goes: the Exit button (x 10 to 340, y 550 to 580), whose press would end the
# designer, and the boxes of the radius (y 62 to 79) and the chord divisions (y 293 to 310), x 280
# to 330. These two set the blade's size: digits typed into them make designs of hundreds of
# thousands of facets, whose runs (and mesh checks) would take the soak past its time, most of
# all under the sanitizers.
out_of_bounds() {
  local x=$1 y=$2
  ((x >= 10 && x <= 340 && y >= 550 && y <= 580)) && return 0
  ((x >= 280 && x <= 330 && ((y >= 62 && y <= 79) || (y >= 293 && y <= 310))))
}

# A window point anywhere else.
random_point() {
  local x y
  while :; do
    x=$((RANDOM % 800))
    y=$((RANDOM % 600))
    out_of_bounds $x $y || break
  done
  echo "$x $y"
}

# A point inside a field's box: x 280 to 330, 21 pixels apart from y 20, the output name from x
# 128 at y 318.
fields=(0 1 3 4 5 6 7 8 9 10 11 12 14)
random_field_point() {
  local field=${fields[RANDOM % ${#fields[@]}]}
  if ((field == 14)); then
    echo "$((129 + RANDOM % 201)) $((319 + RANDOM % 16))"
  else
    echo "$((281 + RANDOM % 49)) $((21 + 21 * field + RANDOM % 16))"
  fi
}

letters=(a b c d e f g h i j k l m n o p q r s t u v w x y z)

tally() { count[$1]=$((${count[$1]:-0} + 1)); }

# A click whose press and release come together, as xdotool sends them.
click_command() { echo "mousemove --window $WINDOW $1 $2 click --delay 0 1"; }

# One random event as xdotool commands, tallied by kind. Out of 100: clicks anywhere 16, clicks
# on a field 13, Calculate 2, drags 7, digits 16, "." 3, letters 8, Backspace 12, Delete 6, Left
# 6, Right 6, Enter 5. A Calculate is given the time to finish its run, so that the keys after
# it find room in the key buffer.
random_event() {
  local roll=$((RANDOM % 100)) key
  if ((roll < 16)); then
    tally click
    click_command $(random_point)
  elif ((roll < 29)); then
    tally field_click
    click_command $(random_field_point)
  elif ((roll < 31)); then
    tally calculate
    click_command $CALCULATE
    echo "sleep 0.2"
  elif ((roll < 38)); then
    tally drag
    echo "mousemove --window $WINDOW $(random_point) mousedown 1 sleep 0.01" \
      "mousemove --window $WINDOW $(random_point) sleep 0.01 mouseup 1"
  else
    if ((roll < 54)); then
      tally digit
      key=$((RANDOM % 10))
    elif ((roll < 57)); then
      tally point
      key=period
    elif ((roll < 65)); then
      tally letter
      key=${letters[RANDOM % 26]}
    elif ((roll < 77)); then
      tally backspace
      key=BackSpace
    elif ((roll < 83)); then
      tally delete
      key=Delete
    elif ((roll < 89)); then
      tally left
      key=Left
    elif ((roll < 95)); then
      tally right
      key=Right
    else
      tally enter
      key=Return
    fi
    echo "key --delay 0 $key"
  fi
  echo "sleep 0.004"
}

RANDOM=$SEED
: >"$script"
for ((i = 0; i < EVENTS; i++)); do
  random_event >>"$script" # a redirection, not a subshell, so that the tallies stay
done
summary="events $EVENTS:"
for kind in click field_click calculate drag digit point letter backspace delete left right enter; do
  summary+=" $kind ${count[$kind]:-0}"
done
echo "$summary"

# A first Calculate with the form's defaults, so that at least one STL file stands to be checked.
click_at $CALCULATE
wait_window_text 20 22 $FIRST_RESULT_LINE_Y "$(head -n 1 "$(cli_files)/stdout")"

started=$(gui_now_ms)
timeout 90 xdotool - <"$script" || gui_fail "xdotool could not send the events"
echo "sent in $(($(gui_now_ms) - started)) ms"
kill -0 "$GUI_PROGRAM_PID" 2>/dev/null || gui_fail "the designer ended during the soak: $(cat "$GUI_TMP/out.err")"

# Still drawing what it is given: the radius field, cleared and typed into, shows the new text.
click_at $RADIUS_FIELD
xdotool key --delay 2 --repeat 40 BackSpace
xdotool type --delay 10 -- 321
wait_window_text 30 284 64 "321"
wait_window_text 5 139 517 "Calculate"
designer_escape
[[ ! -s $GUI_TMP/out.err ]] || gui_fail "the designer wrote to standard error: $(cat "$GUI_TMP/out.err")"

mapfile -t written < <(find "$WORK" -name '*.stl' | sort)
echo "${#written[@]} STL files written"
((${#written[@]} > 0)) || gui_fail "no STL file to check (the first Calculate writes xx/Blade.stl)"
"$CHECK_MESHES" "${written[@]}" || gui_fail "an STL file is not a closed mesh"
echo "passed in $(($(gui_now_ms) - started)) ms after the start of the events"
