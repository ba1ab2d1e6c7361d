#!/usr/bin/env bash
# Start-up time of each program under Wine, from launch to its first painted
# window, against Wine's own notepad.exe measured the same way in the same
# run; and the size of each .exe. Prints figures; asserts nothing.
#   bench/startup.sh [build/mingw/bin] [runs]
set -uo pipefail
# Tools print their figures and messages untranslated (Wine itself gets the
# Russian locale from wine-exec and wine-env.sh).
export LC_ALL=C
REPO_ROOT="$(cd "$(dirname "$0")/.." && pwd)"
bin="$(cd "${1:-$REPO_ROOT/build/mingw/bin}" && pwd)"
runs="${2:-5}"
# shellcheck source=../scripts/wine-env.sh
. "$REPO_ROOT/scripts/wine-env.sh"
wine_session

now_ms() { echo $(( $(date +%s%N) / 1000000 )); }

# Milliseconds from launch until a visible X window of the program exists and
# shows something other than black in its middle (its first painted frame).
measure() {
  local exe="$1" class="$2" t0 t1
  t0=$(now_ms)
  launch "$(dirname "$exe")" "$exe" >/dev/null 2>&1
  t1=""
  POLL_MS=5 wait_window 10 --onlyvisible --classname "$class" >/dev/null && t1=$(now_ms)
  kill "$LAUNCHED_PID" 2>/dev/null
  wineserver -k 2>/dev/null; wineserver -p 2>/dev/null
  timeout 60 env LC_ALL=ru_RU.UTF-8 "$WINE64" wineboot >/dev/null 2>&1 </dev/null || true
  [ -n "$t1" ] && echo $((t1 - t0)) || echo "timeout"
}

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

notepad_exe="$WINEPREFIX/drive_c/windows/system32/notepad.exe"
declare -A result
for name in notepad plitoboy polzun risovik dirvik; do
  if [ "$name" = notepad ]; then exe="$notepad_exe"; else exe="$bin/$name.exe"; fi
  [ -f "$exe" ] || { echo "$name: not built"; continue; }
  times=()
  for _ in $(seq 1 "$runs"); do times+=("$(measure "$exe" "$name.exe")"); done
  result[$name]=$(printf '%s\n' "${times[@]}" | grep -v timeout | median)
  echo "$name: start-up ${result[$name]} ms (median of ${#times[@]}: ${times[*]})"
done
if [ -n "${result[notepad]:-}" ]; then
  for name in plitoboy polzun risovik dirvik; do
    [ -n "${result[$name]:-}" ] || continue
    awk -v a="${result[$name]}" -v b="${result[notepad]}" -v n="$name" \
      'BEGIN { printf "%s: %.2f x notepad (target at most 1.5)\n", n, a / b }'
  done
fi
for name in plitoboy polzun risovik dirvik; do
  [ -f "$bin/$name.exe" ] && echo "$name.exe: $(stat -c %s "$bin/$name.exe") bytes (target under 1048576)"
done
