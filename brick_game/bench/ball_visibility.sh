#!/usr/bin/env bash
# Starts plitoboy under Wine, begins play and prints how often real screen
# samples show the flying ball, its speed on its ways up and the processor time
# of the game's process (ball_visibility.py). Prints figures only. With BUSY
# set, that many bounded busy loops run beside it (BUSY=2 keeps two cores busy).
#   [BUSY=2] brick_game/bench/ball_visibility.sh [plitoboy.exe] [seconds]
set -uo pipefail
REPO_ROOT="$(cd "$(dirname "$0")/../.." && pwd)"
exe="$(realpath "${1:-$REPO_ROOT/build/mingw/bin/plitoboy.exe}")"
# shellcheck source=../../scripts/wine-env.sh
. "$REPO_ROOT/scripts/wine-env.sh"
wine_session
launch "$(dirname "$exe")" "$exe" >/dev/null 2>&1
game=$LAUNCHED_PID
wid=$(POLL_MS=50 wait_window 10 --onlyvisible --classname plitoboy.exe) ||
  { echo "plitoboy did not show its window"; exit 1; }
sleep 2
xdotool windowfocus --sync "$wid"; sleep 0.3; xdotool key Return
sleep 0.5
xdotool key Return
sleep 0.5
busy=()
for _ in $(seq 1 "${BUSY:-0}"); do
  timeout "$(( ${2:-20} + 5 ))" sh -c 'while :; do :; done' &
  busy+=($!)
done
LC_ALL=C python3 "$REPO_ROOT/brick_game/bench/ball_visibility.py" "${2:-20}" "$game"
for b in "${busy[@]}"; do kill "$b" 2>/dev/null; done
