#!/usr/bin/env bash
# Makes the README's screenshots of the programs in use: each program runs in
# Wine's virtual desktop (which draws frames, captions and menus itself) on an
# X display (Xvfb when none is set), is driven with xdotool, and the desktop is
# saved as a PNG in docs/screenshots/.
#   scripts/screenshots.sh [build/mingw/bin]
set -euo pipefail
REPO_ROOT="$(cd "$(dirname "$0")/.." && pwd)"
bin="$(cd "${1:-$REPO_ROOT/build/mingw/bin}" && pwd)"
out="$REPO_ROOT/docs/screenshots"
mkdir -p "$out"
export PROJECT_WINEPREFIX="${PROJECT_WINEPREFIX:-$REPO_ROOT/build/wine-shots}"
# shellcheck source=wine-env.sh
. "$REPO_ROOT/scripts/wine-env.sh"
wine_session

W=800 H=600
# Starts a program in a fresh virtual desktop and waits for its window.
start_in_desktop() { # program title-pattern
  timeout 20 wineserver -k 2>/dev/null || true
  wineserver -p 2>/dev/null || true
  launch "$bin" explorer "/desktop=shots,${W}x${H}" "$1.exe" >/dev/null 2>&1
  wait_window 10 --name "$2" >/dev/null || { echo "screenshots: $1 did not start" >&2; return 1; }
  sleep 1
}
shot() { screenshot "$out/$1.png" "${W}x${H}+0+0"; echo "saved docs/screenshots/$1.png"; }
drag() { xdotool mousemove "$1" "$2" mousedown 1; sleep 0.2; xdotool mousemove "$3" "$4"; sleep 0.1; xdotool mouseup 1; sleep 0.4; }

# The snake: a few turns, so it shows on its way.
start_in_desktop polzun polzun
w=$(xdotool search --name polzun | head -1)
xdotool windowfocus --sync "$w" 2>/dev/null || true
xdotool key Down; sleep 0.8; xdotool key Right; sleep 1.2; xdotool key Up; sleep 0.5
shot polzun

# The editor: its window stands at (100, 70); the canvas begins 3 and 41
# pixels inside the frame.
start_in_desktop risovik "Графический"
cx=103 cy=111
xdotool mousemove 682 145 click 1; xdotool mousemove 590 285 click 1        # Rectangle, RED
drag $((cx + 30)) $((cy + 30)) $((cx + 200)) $((cy + 140))
xdotool mousemove 602 215 click 1; xdotool mousemove 662 285 click 1        # Ellipse, BLUE
drag $((cx + 170)) $((cy + 120)) $((cx + 420)) $((cy + 330))
xdotool mousemove 602 145 click 1; xdotool mousemove 662 315 click 1        # Line, MAGENA
drag $((cx + 40)) $((cy + 370)) $((cx + 400)) $((cy + 60))
xdotool mousemove 682 215 click 1; xdotool mousemove 592 315 click 1        # Text, GREEN
xdotool mousemove 620 360 click 1; xdotool type "Hello"
xdotool mousemove $((cx + 50)) $((cy + 250)) click 1; sleep 0.5
shot risovik

# The browser: the drives, then drive c: opened.
start_in_desktop dirvik "Папковод"
xdotool mousemove 15 72 click --repeat 2 --delay 80 1; sleep 1
shot dirvik

# The brick game has its own, more detailed set.
"$REPO_ROOT/brick_game/tests/e2e/screenshots.sh" "$bin/plitoboy.exe"
