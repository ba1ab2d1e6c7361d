#!/usr/bin/env bash
# Makes the brick game's pictures for the README in docs/screenshots/: the
# title screen, play, the pause screen and the About dialog. Runs plitoboy.exe
# in Wine's virtual desktop, which draws window frames and menus itself, on
# the X display (Xvfb when none is set), and drives it with real X input.
#   brick_game/tests/e2e/screenshots.sh [path/to/plitoboy.exe]
set -euo pipefail
HERE="$(cd "$(dirname "$0")" && pwd)"
ROOT="$(cd "$HERE/../../.." && pwd)"
EXE="$(realpath "${1:-$ROOT/build/mingw/bin/plitoboy.exe}")"
OUT="$ROOT/docs/screenshots"
[ -f "$EXE" ] || { echo "screenshots: $EXE not found; build it first (cmake --build --preset mingw)" >&2; exit 1; }
mkdir -p "$OUT"

# shellcheck source=../../../scripts/wine-env.sh
. "$ROOT/scripts/wine-env.sh"
ensure_display
wine_prefix_ready
PIXELS="python3 $HERE/pixels.py"
WORK="$(mktemp -d)"
cleanup() {
  stop_launched
  wait 2>/dev/null || true
  rm -rf "$WORK"
  if [ -n "${XVFB_PID:-}" ]; then
    timeout 20 wineserver -k 2>/dev/null || true
    kill "$XVFB_PID" 2>/dev/null || true
  fi
}
trap cleanup EXIT

cd "$(dirname "$EXE")"
launch . explorer /desktop=plitoboy,800x600 "./$(basename "$EXE")" >/dev/null 2>&1
DESK="$(wait_window 15 --name "plitoboy")" ||
  { echo "screenshots: the virtual desktop did not appear" >&2; exit 1; }
eval "$(xdotool getwindowgeometry --shell "$DESK")"
GEOMETRY="${WIDTH}x${HEIGHT}+${X}+${Y}"

snap() { # NAME: the desktop's picture into docs/screenshots/plitoboy-NAME.png
  screenshot "$OUT/plitoboy-$1.png" "$GEOMETRY"
  echo "wrote docs/screenshots/plitoboy-$1.png"
}
full() { screenshot "$WORK/s.png" "$GEOMETRY"; echo "$WORK/s.png"; }

# The title lines scroll in from the sides: give them a few seconds.
sleep 5
xdotool mousemove --window "$DESK" 400 300
snap title

xdotool key Return
for _ in $(seq 1 60); do
  s="$(full)"
  o="$($PIXELS origin "$s")"
  [ "$o" != none ] && break
  sleep 0.2
done
[ "$o" != none ] || { echo "screenshots: play did not start" >&2; exit 1; }
read -r OX OY <<<"$o"
# Launch, then wait for a moment with the ball in the field above the paddle.
xdotool click 1
for _ in $(seq 1 30); do
  s="$(full)"
  [ "$($PIXELS count "$s" "$OX" "$OY" 0 50 700 444 240 240 10)" -gt 30 ] && break
  sleep 0.1
done
cp "$s" "$OUT/plitoboy-play.png"
echo "wrote docs/screenshots/plitoboy-play.png"

xdotool key Pause
sleep 3
snap pause

# The About dialog through the menu: F10, right to "Справка", down to
# "О программе ...".
xdotool key F10
sleep 0.3
for _ in 1 2 3 4 5; do xdotool key Right; sleep 0.15; done
xdotool key Down
sleep 0.3
xdotool key Down
sleep 0.3
xdotool key Return
sleep 1.5
snap about
xdotool key Return
