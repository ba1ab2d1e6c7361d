#!/usr/bin/env bash
# End to end on the X display with real X input: Enter starts the game, the
# round intro runs into play, the 27 bricks stand at their places in the brick
# colour and the paddle under the pointer; a click launches the ball, which
# then leaves the paddle.
#   play.sh path/to/plitoboy.exe
source "$(dirname "$0")/common.sh"
start_program

s="$(shot)"
[ "$($PIXELS origin "$s")" = none ] || fail "bricks on the title screen"
xdotool key Return
wait_for_play
echo "client origin on the screen: $OX $OY"
$PIXELS bricks "$PLAY_SHOT" "$OX" "$OY" 0 0 250

# The paddle follows the pointer: its left end is 20 pixels left of it, and
# the ball rests on it.
xdotool mousemove $((OX + 300)) $((OY + 300))
paddle_under_pointer() {
  local span yellow
  span="$($PIXELS span "$S" "$OX" "$OY" 462 0 240 0)"
  yellow="$($PIXELS count "$S" "$OX" "$OY" 330 445 340 455 240 240 10)"
  echo "paddle inside spans x ${span/ /..} on row 462; $yellow ball pixels above it"
  [ "$span" = "281 368" ] && [ "$yellow" -gt 30 ]
}
until_seen paddle_under_pointer || fail "paddle not at (280, 455)-(370, 470) with the ball on it"

# The ball flies up to the bricks and back within a second or two, and a
# screenshot takes a good part of a second on a busy machine: the flight shows
# either as the ball above the paddle or as a brick it broke.
xdotool click 1
seen=""
for _ in $(seq 1 12); do
  s="$(shot)"
  above="$($PIXELS count "$s" "$OX" "$OY" 0 50 700 444 240 240 10)"
  rest="$($PIXELS count "$s" "$OX" "$OY" 330 445 340 455 240 240 10)"
  if [ "$above" -gt 10 ] && [ "$rest" -lt 10 ]; then
    seen="the ball above the paddle ($above pixels)"
    break
  fi
  if ! $PIXELS bricks "$s" "$OX" "$OY" 0 0 250 >/dev/null; then
    seen="a brick broken"
    break
  fi
done
[ -n "$seen" ] || fail "the ball did not leave the paddle"
echo "after the click: $seen"
echo "PASS"
