#!/usr/bin/env bash
# End to end with real X input: starts risovik under Wine, clicks "Rectangle"
# and "RED", drags on the canvas, and checks the red box in a screenshot.
#   e2e_red_box.sh <path to risovik.exe>
set -euo pipefail
exe="$1"
root="${DESK_ROOT:?DESK_ROOT must name the project folder}"
work="$(mktemp -d)"
pid=""
cleanup() {
  if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

cd "$(dirname "$exe")"
"$root/scripts/wine-exec" "./$(basename "$exe")" &
pid=$!

win=""
for _ in $(seq 1 100); do
  win="$(xdotool search --name 'Графический редактор' 2>/dev/null | head -1 || true)"
  [ -n "$win" ] && break
  sleep 0.1
done
[ -n "$win" ] || { echo "FAIL: the editor window did not appear"; exit 1; }
xdotool windowfocus --sync "$win" || true
sleep 0.5

eval "$(xdotool getwindowgeometry --shell "$win")" # X, Y: the frame's corner

pixel() { # prints the colour of screen pixel (x, y) of shot $1 as r,g,b
  convert "$1" -crop "1x1+$2+$3" -depth 8 txt:- | tail -1 | sed -E 's/.*\(([0-9]+),([0-9]+),([0-9]+).*/\1,\2,\3/'
}

# The frame is drawn by Wine itself: find the client area's corner as the
# first pixel of the black canvas below the menu bar and right of the border
# (a column right of the menu's texts; three black pixels in a row, so a
# letter of a caption is not taken for the canvas).
import -window root "$work/start.png"
black3() { # shot, x, y, step x, step y
  [ "$(pixel "$1" "$2" "$3")" = "0,0,0" ] &&
    [ "$(pixel "$1" $(($2 + $4)) $(($3 + $5)))" = "0,0,0" ] &&
    [ "$(pixel "$1" $(($2 + 2 * $4)) $(($3 + 2 * $5)))" = "0,0,0" ]
}
cx=""; cy=""
for dy in $(seq 0 80); do
  if black3 "$work/start.png" $((X + 440)) $((Y + dy)) 0 2; then cy=$((Y + dy)); break; fi
done
for dx in $(seq 0 20); do
  if black3 "$work/start.png" $((X + dx)) $((Y + 200)) 2 0; then cx=$((X + dx)); break; fi
done
[ -n "$cx" ] && [ -n "$cy" ] || { echo "FAIL: no black canvas found in the window"; exit 1; }
echo "client area at $cx,$cy"

click() { # client x, y
  xdotool mousemove "$(($1 + cx))" "$(($2 + cy))" click 1
  sleep 0.2
}
click 580 35  # "Rectangle"
click 490 175 # "RED"
xdotool mousemove $((cx + 100)) $((cy + 100)) mousedown 1
sleep 0.1
xdotool mousemove $((cx + 200)) $((cy + 180))
sleep 0.1
xdotool mousemove $((cx + 300)) $((cy + 250)) mouseup 1
sleep 0.7

import -window root "$work/after.png"
fail=0
check() { # client x, y, expected r,g,b, what
  local got
  got="$(pixel "$work/after.png" $(($1 + cx)) $(($2 + cy)))"
  if [ "$got" != "$3" ]; then
    echo "FAIL: $4 at ($1, $2): $got, expected $3"
    fail=1
  fi
}
check 200 175 255,0,0 "inside the box"
check 102 102 255,0,0 "near the press corner"
check 298 248 255,0,0 "near the release corner"
check 96 175 0,0,0 "left of the box"
check 200 254 0,0,0 "below the box"
check 304 175 0,0,0 "right of the box"
check 200 96 0,0,0 "above the box"
[ "$fail" -eq 0 ] && echo "PASS: red box drawn by press and release"
exit "$fail"
