# shellcheck shell=bash disable=SC2034,SC2154
# Sourced by the editor's end-to-end scripts: starts risovik under Wine from a
# given folder, finds its window and the screen position of its client area,
# and offers pixel reads and checks and clicks in client coordinates. Expects
# `root` (the project folder) and `work` (a scratch folder) to be set.
REPO_ROOT="$root"
# shellcheck source=../../scripts/wine-env.sh
. "$root/scripts/wine-env.sh"

editor_cleanup() {
  stop_launched
  rm -rf "$work"
}
trap editor_cleanup EXIT

find_window() { wait_window 10 --name "$1"; } # name; prints the first window id
gone() { until_true 10 window_closed "$1"; }   # window id; waits for it to close
window_closed() { ! xdotool getwindowname "$1" >/dev/null 2>&1; }

pixel() { # prints the colour of screen pixel (x, y) of shot $1 as r,g,b
  convert "$1" -crop "1x1+$2+$3" -depth 8 txt:- | tail -1 |
    sed -E 's/.*\(([0-9]+),([0-9]+),([0-9]+).*/\1,\2,\3/'
}

black3() { # shot, x, y, step x, step y: three black pixels in a row
  [ "$(pixel "$1" "$2" "$3")" = "0,0,0" ] &&
    [ "$(pixel "$1" $(($2 + $4)) $(($3 + $5)))" = "0,0,0" ] &&
    [ "$(pixel "$1" $(($2 + 2 * $4)) $(($3 + 2 * $5)))" = "0,0,0" ]
}

# start_editor <folder holding risovik.exe>: runs it there, waits for its
# window, focuses it and sets `win`, `cx` and `cy` (the client area's corner
# on the screen).
start_editor() {
  launch "$1" ./risovik.exe
  win="$(find_window 'Графический редактор')" || { echo "FAIL: no editor window"; exit 1; }
  xdotool windowfocus --sync "$win" || true
  sleep 0.5
  eval "$(xdotool getwindowgeometry --shell "$win")" # X, Y: the frame's corner
  # Wine draws the frame itself: the client corner is where the black canvas
  # starts below the menu bar and right of the border (three black pixels in
  # a row, so a letter of a caption is not taken for the canvas).
  screenshot "$work/start.png"
  cx=""
  cy=""
  local dx dy
  for dy in $(seq 0 80); do
    if black3 "$work/start.png" $((X + 440)) $((Y + dy)) 0 2; then cy=$((Y + dy)); break; fi
  done
  for dx in $(seq 0 20); do
    if black3 "$work/start.png" $((X + dx)) $((Y + 200)) 2 0; then cx=$((X + dx)); break; fi
  done
  [ -n "$cx" ] && [ -n "$cy" ] || { echo "FAIL: no black canvas found in the window"; exit 1; }
  echo "client area at $cx,$cy"
}

click() { # client x, y
  xdotool mousemove "$(($1 + cx))" "$(($2 + cy))" click 1
  sleep 0.2
}

fail=0
check() { # shot, client x, y, expected r,g,b, what: a difference is told and sets fail
  local got
  got="$(pixel "$1" $(($2 + cx)) $(($3 + cy)))"
  if [ "$got" != "$4" ]; then
    echo "FAIL: $5 at ($2, $3): $got, expected $4"
    fail=1
  fi
}
