#!/usr/bin/env bash
# End to end with real X input: starts risovik under Wine, clicks "Rectangle"
# and "RED", drags on the canvas, and checks the red box in a screenshot.
#   e2e_red_box.sh <path to risovik.exe>
set -euo pipefail
exe="$1"
root="${DESK_ROOT:?DESK_ROOT must name the project folder}"
work="$(mktemp -d)"
# shellcheck source=e2e_common.sh
. "$(dirname "$0")/e2e_common.sh"
start_editor "$(dirname "$exe")"

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
