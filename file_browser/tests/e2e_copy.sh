#!/usr/bin/env bash
# End to end with real X input: start dirvik, double-click the z: drive, walk
# into a prepared folder, select a file, copy it through the input panel by
# typing a path, and check the copy on disk.
# Arguments: dirvik.exe and the probe helper (e2e_probe.exe).
set -euo pipefail
exe="$(realpath "$1")"
probe_exe="$(realpath "$2")"
root="${DESK_ROOT:-$(cd "$(dirname "$0")/../.." && pwd)}"
wine_exec="$root/scripts/wine-exec"

work="$(mktemp -d /tmp/dirvik-e2e-XXXXXX)"
name="отчёт 1.txt"
mkdir "$work/out"
head -c 3000 /dev/urandom >"$work/$name"
pid=""
cleanup() {
  if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "e2e: $*" >&2; exit 1; }
# The probe prints Windows-1251 text; the script compares UTF-8.
probe() { "$wine_exec" "$probe_exe" "$@" | tr -d '\r' | iconv -f CP1251 -t UTF-8; }

# Points at a list entry, scrolled into view, and double-clicks (or clicks) it.
click_entry() { # entry clicks
  local at
  at=$(probe item "$1") || fail "no entry $1 (path bar: $(probe text 308))"
  # shellcheck disable=SC2086
  xdotool mousemove $at click --repeat "$2" --delay 80 1
  sleep 0.4
}

cd "$(dirname "$exe")"
"$wine_exec" "./$(basename "$exe")" &
pid=$!
probe wait || fail "the window did not appear"
win=$(xdotool search --sync --limit 1 --name "Папковод")
[ "$(probe text 308)" = "Мой компьютер" ] || fail "path bar at start: $(probe text 308)"

click_entry "[-z-]" 2
[ "$(probe text 308)" = 'z:\*.*' ] || fail "after z: the path bar reads $(probe text 308)"
click_entry "[tmp]" 2
click_entry "[$(basename "$work")]" 2
expected="z:\\tmp\\$(basename "$work")\\*.*"
[ "$(probe text 308)" = "$expected" ] || fail "path bar $(probe text 308), want $expected"

click_entry "$name" 1
xdotool windowfocus --sync "$win"
xdotool key alt+f
sleep 0.3
xdotool key c
sleep 0.5
at=$(probe control 310) || fail "the copy panel did not open"
# shellcheck disable=SC2086
xdotool mousemove $at click 1
xdotool key End
xdotool type --delay 30 'out\'
sleep 0.2
[ "$(probe text 310)" = "z:\\tmp\\$(basename "$work")\\out\\" ] || fail "input field: $(probe text 310)"
at=$(probe control 303)
# shellcheck disable=SC2086
xdotool mousemove $at click 1

for _ in $(seq 1 50); do
  [ -f "$work/out/$name" ] && break
  sleep 0.1
done
[ -f "$work/out/$name" ] || fail "no copy in out/"
cmp "$work/$name" "$work/out/$name" || fail "the copy differs from the file"
probe control 310 >/dev/null 2>&1 && fail "the panel stayed open after the copy"

# The "Exit" button ends the program with code 0.
at=$(probe control 302)
# shellcheck disable=SC2086
xdotool mousemove $at click 1
for _ in $(seq 1 50); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "the program did not end on Exit"
code=0
wait "$pid" || code=$?
pid=""
[ "$code" -eq 0 ] || fail "exit code $code"
echo "e2e: copied $name into out/ through the panel; Exit ended the program with 0"
