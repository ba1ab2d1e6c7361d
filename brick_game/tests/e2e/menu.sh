#!/usr/bin/env bash
# End to end on the X display with real X input: the menu opened with the
# keyboard switches to keyboard control; in play the arrow keys move the
# paddle by 50 pixels; Pause shows the pause screen and Pause again resumes.
#   menu.sh path/to/plitoboy.exe
source "$(dirname "$0")/common.sh"
start_program

# F10 opens the menu bar on "Файл"; Right goes to "Управление", Down opens
# it on "Клава", Return chooses it.
xdotool key F10
sleep 0.3
xdotool key Right
sleep 0.3
xdotool key Down
sleep 0.5
popup="$(shot)"
xdotool key Return
sleep 0.5

xdotool key Return
wait_for_play
# A popup menu stood below the menu bar over the black client area.
light="$($PIXELS count "$popup" "$OX" "$OY" 40 2 120 40 255 255 255)"
grey="$($PIXELS count "$popup" "$OX" "$OY" 40 2 120 40 192 192 192)"
echo "popup pixels under the menu bar: $light white, $grey grey"
[ $((light + grey)) -gt 200 ] || fail "no popup menu was open"

# Keyboard control puts the paddle at 350 when play starts.
s="$PLAY_SHOT"
read -r left _ <<<"$($PIXELS span "$s" "$OX" "$OY" 462 0 240 0)"
[ "$left" = 331 ] || fail "keyboard play should start the paddle at 350 (left end $left)"
xdotool key Left
sleep 0.2
xdotool key Left
sleep 0.5
s="$(shot)"
read -r left _ <<<"$($PIXELS span "$s" "$OX" "$OY" 462 0 240 0)"
echo "paddle after two Left keys: left end $left"
[ "$left" = 231 ] || fail "two Left keys should move the paddle to 250"

xdotool key Pause
sleep 0.8
s="$(shot)"
$PIXELS bricks "$s" "$OX" "$OY" 0 0 250 >/dev/null && fail "bricks still shown after Pause"
red="$($PIXELS count "$s" "$OX" "$OY" 0 178 700 200 200 0 0)"
echo "pause banner pixels: $red"
[ "$red" -gt 20 ] || fail "no pause banner"

xdotool key Pause
sleep 0.8
s="$(shot)"
$PIXELS bricks "$s" "$OX" "$OY" 0 0 250 || fail "play did not resume"
echo "PASS"
