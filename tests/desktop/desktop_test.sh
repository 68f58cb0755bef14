#!/usr/bin/env bash
# The built program on a private Xvfb server: clicks and keys with xdotool, checked from screenshots.
#
# desktop_test.sh QUINDLE DESKTOP_REFERENCE
#
# DESKTOP_REFERENCE runs the same steps on the headless display and writes
# the layout (where to click) and the frames the screen should show, so that
# no pixel position is written down here. Steps: the window opens; a click
# on check box 4 shows a message box, Enter dismisses it; a click on the
# switch shows the box for variable 1, Enter dismisses it and the knob is at
# the right; a click on Close ends the program with exit code 0.
set -uo pipefail

quindle=${1:?usage: desktop_test.sh QUINDLE DESKTOP_REFERENCE}
reference_tool=${2:?usage: desktop_test.sh QUINDLE DESKTOP_REFERENCE}
step_timeout=10   # seconds for one thing to appear on the screen
exit_timeout=10   # seconds for the program to end after Close

fail() {
  echo "desktop_test: FAILED: $*" >&2
  exit 1
}

for tool in Xvfb xdotool xwininfo import convert compare identify; do
  command -v "$tool" >/dev/null ||
    fail "$tool is not installed (scripts/install-deps.sh --test installs xvfb, xdotool, x11-utils, imagemagick)"
done

work=$(mktemp -d)
xvfb_pid=""
program_pid=""
cleanup() {
  if [[ -n "$program_pid" ]] && kill -0 "$program_pid" 2>/dev/null; then
    kill "$program_pid" 2>/dev/null
    wait "$program_pid" 2>/dev/null
  fi
  if [[ -n "$xvfb_pid" ]]; then
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
  fi
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

"$reference_tool" "$work" || fail "the headless reference run failed"
# shellcheck source=/dev/null
source "$work/layout.sh"

# Xvfb picks a free display number and writes it to the pipe once it accepts clients.
number_pipe="$work/display-number"
mkfifo "$number_pipe"
exec {number_fd}<>"$number_pipe"
Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 1280x800x24 3>"$number_pipe" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
display_number=""
read -r -t "$step_timeout" -u "$number_fd" display_number
exec {number_fd}<&-
[[ -n "$display_number" ]] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$display_number"

program_ended() { ! kill -0 "$program_pid" 2>/dev/null; }

# wait_for SECONDS COMMAND...: runs COMMAND until it succeeds or the time is
# up; a program that ends meanwhile is a failure, unless that is awaited.
wait_for() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    ((SECONDS < deadline)) || return 1
    if [[ "$1" != program_ended ]] && program_ended; then
      wait "$program_pid"
      local status=$?
      program_pid=""
      fail "the program ended early, with exit code $status: $(cat "$work/program.log")"
    fi
    sleep 0.05
  done
}

# The ids of the top-level windows that are mapped, one a line.
mapped_windows() {
  xwininfo -root -children | awk '$1 ~ /^0x/ { print $1 }' | while read -r id; do
    xwininfo -id "$id" 2>/dev/null | grep -q "Map State: IsViewable" && echo "$id"
  done
}

# geometry ID: prints "X Y W H" of a window on the screen.
geometry() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
                           /Width:/ { w = $NF } /Height:/ { h = $NF } END { print x, y, w, h }'
}

shot_number=0
# take_screenshot: the whole screen into a new file, named in $shot.
take_screenshot() {
  shot_number=$((shot_number + 1))
  shot="$work/shot-$shot_number.png"
  import -window root "$shot" || fail "import could not take a screenshot"
}

# differing SHOT X Y W H REFERENCE: prints in how many pixels that part of SHOT differs from REFERENCE.
differing() {
  convert "$1" -crop "${4}x${5}+${2}+${3}" +repage "$work/crop.png" || { echo "unreadable"; return; }
  local measured
  measured=$(compare -metric AE "$work/crop.png" "$6" null: 2>&1)
  if [[ "$measured" =~ ^[0-9.e+]+$ ]]; then
    awk -v n="$measured" 'BEGIN { print int(n) }'
  else
    echo "unknown ($measured)"  # for example, the sizes differ
  fi
}

# screen_shows NAME X Y W H REFERENCE: the screen shows REFERENCE at that
# place (waiting for the repaint); the screenshot that shows it is in $shot.
screen_shows() {
  local name=$1 count
  shift
  local deadline=$((SECONDS + step_timeout))
  while :; do
    take_screenshot
    count=$(differing "$shot" "$@")
    [[ "$count" == 0 ]] && return 0
    ((SECONDS < deadline)) || break
    sleep 0.1
  done
  local kept="${TMPDIR:-/tmp}/desktop_test-${name// /-}.png"
  cp "$shot" "$kept" 2>/dev/null
  fail "$name: the screen differs from the headless frame, pixels differing: $count (screenshot kept as $kept)"
}

# click_window ID X Y: the pointer to client point X,Y of window ID, then a left click.
click_window() {
  xdotool mousemove --sync --window "$1" "$2" "$3" click 1 || fail "xdotool could not click at $2,$3"
}

# The message box that is open now: its id in $box.
find_message_box() {
  box=""
  local id
  for id in $(mapped_windows); do
    [[ "$id" != "$program_window" ]] && box=$id
  done
  [[ -n "$box" ]]
}
no_message_box() { ! find_message_box; }

# check_message_box NAME REFERENCE BEFORE: a box appeared that shows REFERENCE,
# over a part of the screen that showed something else in the screenshot BEFORE.
check_message_box() {
  local name=$1 reference=$2 before=$3
  wait_for "$step_timeout" find_message_box || fail "$name: no message box appeared"
  read -r bx by bw bh < <(geometry "$box")
  local size
  size=$(identify -format "%w %h" "$reference")
  [[ "$bw $bh" == "$size" ]] || fail "$name: the message box is ${bw}x${bh}, the headless one ${size/ /x}"
  [[ "$(differing "$before" "$bx" "$by" "$bw" "$bh" "$reference")" != 0 ]] ||
    fail "$name: the screen showed the box's face before the box was opened"
  screen_shows "$name" "$bx" "$by" "$bw" "$bh" "$reference"
  # Without a window manager the keyboard follows the pointer.
  xdotool mousemove --sync --window "$box" $((bw / 2)) $((bh / 2)) key Return ||
    fail "$name: xdotool could not type Enter"
  wait_for "$step_timeout" no_message_box || fail "$name: Enter did not dismiss the message box"
}

# knob_side SHOT: "right" or "left", from the switch's pixels: the white knob
# lies on one side of the switch's middle and the blue track on the other.
knob_side() {
  local middle=$((switch_left + switch_w / 2))
  convert "$1" -crop "${switch_w}x${switch_h}+$((wx + switch_left))+$((wy + switch_top))" +repage txt:- |
    awk -v offset="$switch_left" -v middle="$middle" -F'[,: ]+' '
      /^#/ { next }
      { x = $1 + offset; colour = toupper($0) }
      colour ~ /#FFFFFF/ { if (x < middle) white_left++; else white_right++ }
      colour ~ /#3C76B1/ { if (x < middle) blue_left++; else blue_right++ }
      END {
        if (white_right > white_left && blue_left > blue_right) print "right"
        else if (white_left > white_right && blue_right > blue_left) print "left"
        else printf "unclear (white %d left, %d right; track %d left, %d right)\n", white_left, white_right, blue_left, blue_right
      }'
}

echo "desktop_test: Xvfb on $DISPLAY, running $quindle"
"$quindle" >"$work/program.log" 2>&1 &
program_pid=$!

program_window=""
find_program_window() { program_window=$(xdotool search --name '^Caption$' 2>/dev/null | head -n 1); [[ -n "$program_window" ]]; }
wait_for "$step_timeout" find_program_window || fail "the program window \"Caption\" did not appear: $(cat "$work/program.log")"
program_window=$(printf '0x%x' "$program_window")
read -r wx wy ww wh < <(geometry "$program_window")
[[ "$ww $wh" == "$window_w $window_h" ]] || fail "the program window is ${ww}x${wh}, the headless one ${window_w}x${window_h}"

screen_shows "the window as it opens" "$wx" "$wy" "$ww" "$wh" "$work/window-start.ppm"
start=$shot
side=$(knob_side "$start")
[[ "$side" == left ]] || fail "the switch does not start off: the knob is $side"

click_window "$program_window" "$box2_x" "$box2_y"
check_message_box "check box 4" "$work/message-2.ppm" "$start"

take_screenshot
click_window "$program_window" "$switch_x" "$switch_y"
check_message_box "the switch" "$work/message-1.ppm" "$shot"

screen_shows "the window with the switch on" "$wx" "$wy" "$ww" "$wh" "$work/window-on.ppm"
side=$(knob_side "$shot")
[[ "$side" == right ]] || fail "the knob is not at the right after the switch was clicked: it is $side"

click_window "$program_window" "$close_x" "$close_y"
wait_for "$exit_timeout" program_ended || fail "the program did not end within $exit_timeout s after a click on Close"
wait "$program_pid"
status=$?
program_pid=""
[[ $status -eq 0 ]] || fail "the program ended with exit code $status: $(cat "$work/program.log")"
echo "desktop_test: passed"
