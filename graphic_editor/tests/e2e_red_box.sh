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

screenshot "$work/after.png"
check "$work/after.png" 200 175 255,0,0 "inside the box"
check "$work/after.png" 102 102 255,0,0 "near the press corner"
check "$work/after.png" 298 248 255,0,0 "near the release corner"
check "$work/after.png" 96 175 0,0,0 "left of the box"
check "$work/after.png" 200 254 0,0,0 "below the box"
check "$work/after.png" 304 175 0,0,0 "right of the box"
check "$work/after.png" 200 96 0,0,0 "above the box"
[ "$fail" -eq 0 ] && echo "PASS: red box drawn by press and release"
exit "$fail"
