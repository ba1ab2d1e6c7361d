#!/usr/bin/env bash
# End to end: polzun.exe under Wine on the X display, driven by real key
# presses through xdotool; screenshots show the green squares move by whole
# squares, Alt + / and Alt + ? open the About box, and File / Exit ends the
# program with exit code 0.
#   e2e_keys.sh path/to/polzun.exe
set -uo pipefail
exe="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
here="$(cd "$(dirname "$0")" && pwd)"
root="${DESK_ROOT:-$(cd "$here/../.." && pwd)}"
REPO_ROOT="$root"
# shellcheck source=../../scripts/wine-env.sh
. "$root/scripts/wine-env.sh"
ensure_display || exit 1
wine_prefix_ready || exit 1

work="$(mktemp -d)"
finish() {
  stop_launched
  if [ -n "${XVFB_PID:-}" ]; then kill "$XVFB_PID" 2>/dev/null; fi
  [ -n "${keep:-}" ] || rm -rf "$work"
}
trap finish EXIT
fail() { echo "FAIL: $*"; echo "screenshots are kept in $work"; keep=1; exit 1; }
shot() { screenshot "$work/$1.png"; }

cd "$(dirname "$exe")" || exit 1
launch . "./$(basename "$exe")" >/dev/null 2>&1
win=$(wait_window 30 --onlyvisible --name '^polzun$') || fail "no polzun window"
xdotool windowfocus --sync "$win" 2>/dev/null || true

# The start picture, once the first repaints are on the screen.
origin=""
for _ in $(seq 1 50); do
  shot start
  origin=$(python3 "$here/e2e_squares.py" start "$work/start.png" 2>/dev/null) && break
  sleep 0.2
done
[ -n "$origin" ] || fail "start picture: $(python3 "$here/e2e_squares.py" "$work/start.png" 2>&1 | tr '\n' ' ')"
echo "client origin on the screen: $origin"

# Presses a key, lets the snake go until a screenshot shows it moved, stops
# it with Delete, and checks the final picture: the moves given so far, each
# a whole number of squares. Leaves the counts in $counts.
go() { # key, name, directions so far
  local key=$1 name=$2
  shift 2
  xdotool key "$key"
  for _ in $(seq 1 30); do
    sleep 0.1
    shot moving
    python3 "$here/e2e_squares.py" moved "$work/moving.png" $origin "$@" >/dev/null 2>&1 && break
  done
  xdotool key Delete
  sleep 0.3
  shot "$name"
  counts=$(python3 "$here/e2e_squares.py" moved "$work/$name.png" $origin "$@") ||
    fail "after $key"
}
go Down down D
echo "Down: $counts squares"
go Right right D R
echo "Down then Right: $counts squares"
sleep 0.4
shot still
still=$(python3 "$here/e2e_squares.py" moved "$work/still.png" $origin D R) || fail "after Delete"
[ "$still" = "$counts" ] || fail "the snake moved after Delete: $counts then $still"

about_opens() { # key combination, key that closes the box
  xdotool key "$1"
  local box
  box=$(wait_window 5 --onlyvisible --name '^About$') || fail "$1 opened no About box"
  xdotool windowfocus --sync "$box" 2>/dev/null || true
  xdotool key "$2"
  until_true 5 no_window --onlyvisible --name '^About$' || fail "$2 did not close the About box"
  echo "$1 opened the About box, $2 closed it"
}
about_opens alt+slash Escape
xdotool windowfocus --sync "$win" 2>/dev/null || true
about_opens alt+question Return
xdotool windowfocus --sync "$win" 2>/dev/null || true

# File / Exit through the menu's keys.
xdotool key alt+f
sleep 0.3
xdotool key x
wait_exit 5 || fail "File / Exit did not end the program"
[ "$LAUNCHED_CODE" -eq 0 ] || fail "exit code $LAUNCHED_CODE"
echo "File / Exit ended the program with code 0"
