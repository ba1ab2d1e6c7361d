#!/usr/bin/env bash
# polzun's benchmark: prints figures, asserts nothing.
#  1. CPU time of polzun.exe under Wine over 10 s while the snake stands and
#     over 10 s while it moves (steered round a loop by real key presses), as
#     a share of one core; the tick is 100 ms, the target is under 2 %.
#  2. The cost of one repaint with 200 entries and all ten bars (target: under
#     1 ms), from polzun_bench.exe.
# Usage: snake_game/bench/run_bench.sh [mingw build folder]   (default build/mingw)
set -euo pipefail
# Tools print their figures and messages untranslated (Wine itself gets the
# Russian locale from wine-exec and wine-env.sh).
export LC_ALL=C
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${1:-$root/build/mingw}"
REPO_ROOT="$root"
# shellcheck source=../../scripts/wine-env.sh
. "$root/scripts/wine-env.sh"

cmake --build "$build" -j2 --target polzun polzun_bench >/dev/null
started_display=""
if ensure_display; then started_display="${XVFB_PID:-}"; fi
wine_prefix_ready
finish() {
  stop_launched
  if [ -n "$started_display" ]; then kill "$started_display" 2>/dev/null || true; fi
}
trap finish EXIT

ticks=$(getconf CLK_TCK)
cpu_ticks() { # utime + stime of a process, in clock ticks
  awk '{ print $14 + $15 }' "/proc/$1/stat"
}
share() { # ticks over seconds, as a percentage of one core
  awk -v t="$1" -v hz="$ticks" -v s="$2" 'BEGIN { printf "%.2f", 100 * t / hz / s }'
}

cd "$build/bin"
launch . ./polzun.exe >/dev/null 2>&1
pid=$LAUNCHED_PID
win=$(wait_window 30 --onlyvisible --name '^polzun$') || { echo "no polzun window"; exit 1; }
xdotool windowfocus --sync "$win" 2>/dev/null || true
sleep 2 # let start-up work settle

echo "polzun.exe (pid $pid, $(cat "/proc/$pid/comm")), CPU time as a share of one core:"
a=$(cpu_ticks "$pid"); t0=$(date +%s.%N)
sleep 10
b=$(cpu_ticks "$pid"); t1=$(date +%s.%N)
secs=$(awk -v a="$t0" -v b="$t1" 'BEGIN { print b - a }')
echo "  standing, ${secs%.*} s: $(share $((b - a)) "$secs") % ($((b - a)) ticks of 1/$ticks s)"

# Moving: down a little, then right and left along rows, one row lower each
# turn, so the snake keeps clear of the walls and of itself.
a=$(cpu_ticks "$pid"); t0=$(date +%s.%N)
xdotool key Down; sleep 0.5
for _ in 1 2; do
  xdotool key Right; sleep 2.0
  xdotool key Down; sleep 0.3
  xdotool key Left; sleep 1.8
  xdotool key Down; sleep 0.3
done
xdotool key Right; sleep 0.7
b=$(cpu_ticks "$pid"); t1=$(date +%s.%N)
secs=$(awk -v a="$t0" -v b="$t1" 'BEGIN { print b - a }')
echo "  moving,   ${secs%.*} s: $(share $((b - a)) "$secs") % ($((b - a)) ticks of 1/$ticks s)"
shot=$(mktemp --suffix=.png)
screenshot "$shot"
if python3 "$root/snake_game/tests/e2e_squares.py" start "$shot" >/dev/null 2>&1; then
  echo "  (the snake stood at its start at the end: it ran into something, the figure is low)"
else
  echo "  (the snake was away from its start at the end)"
fi
rm -f "$shot"
stop_launched

"$root/scripts/wine-exec" ./polzun_bench.exe 2000
