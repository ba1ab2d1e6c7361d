#!/usr/bin/env bash
# End to end on the X display with real X input: the menu opened with the
# keyboard switches to keyboard control; in play the arrow keys move the
# paddle by 50 pixels; Pause shows the pause screen and Pause again resumes.
#   menu.sh path/to/plitoboy.exe
source "$(dirname "$0")/common.sh"
start_program

# F10 opens the menu bar on "Файл"; Right goes to "Управление", Down opens
# it on "Клава", Return chooses it. The popup stands below the menu bar, over
# the top of the black client area, which starts 41 pixels down with the
# window's frame drawn by Wine.
xdotool key F10
sleep 0.3
xdotool key Right
sleep 0.3
xdotool key Down
popup_open() {
  local light
  light="$($PIXELS count "$S" 0 0 40 42 120 80 255 255 255)"
  echo "popup pixels under the menu bar: $light"
  [ "$light" -gt 200 ]
}
until_seen popup_open || fail "no popup menu was open"
xdotool key Return
sleep 0.5

xdotool key Return
wait_for_play
# Keyboard control puts the paddle at 350 when play starts.
paddle_left() { $PIXELS span "$S" "$OX" "$OY" 462 0 240 0 | cut -d' ' -f1; }
S="$PLAY_SHOT"
[ "$(paddle_left)" = 331 ] || fail "keyboard play should start the paddle at 350 (left end $(paddle_left))"

xdotool key Left
sleep 0.2
xdotool key Left
moved_to_250() { [ "$(paddle_left)" = 231 ]; }
until_seen moved_to_250 || fail "two Left keys should move the paddle to 250 (left end $(paddle_left))"
echo "paddle after two Left keys: left end 231"

xdotool key Pause
paused() {
  local red
  red="$($PIXELS count "$S" "$OX" "$OY" 0 178 700 200 200 0 0)"
  ! $PIXELS bricks "$S" "$OX" "$OY" 0 0 250 >/dev/null && [ "$red" -gt 20 ]
}
until_seen paused || fail "Pause did not show the pause screen"
echo "pause screen shown"

xdotool key Pause
resumed() { $PIXELS bricks "$S" "$OX" "$OY" 0 0 250 >/dev/null; }
until_seen resumed || fail "Pause again did not resume play"
echo "play resumed"
echo "PASS"
