#!/usr/bin/env bash
# End to end with real X input: draws a red box in risovik under Wine, saves
# the canvas through the real save dialog by typing a name, checks the bytes
# of the .bmp file, clears the canvas with New and opens the file again
# through the real open dialog.
#   e2e_files.sh <path to risovik.exe>
set -euo pipefail
exe="$1"
root="${DESK_ROOT:?DESK_ROOT must name the project folder}"
work="$(mktemp -d)"
# shellcheck source=e2e_common.sh
. "$(dirname "$0")/e2e_common.sh"

# The program runs from a folder of its own, so the file lands there only.
cp "$exe" "$work/risovik.exe"
cd "$work"
start_editor "$work"
click 580 35  # "Rectangle"
click 490 175 # "RED"
xdotool mousemove $((cx + 100)) $((cy + 100)) mousedown 1
sleep 0.1
xdotool mousemove $((cx + 300)) $((cy + 250)) mouseup 1
sleep 0.5

# The File menu by its keys, then the item "&Save File".
menu_item() { # key of the item under "&File"
  xdotool windowfocus --sync "$win" || true
  xdotool key --window "$win" alt+f
  sleep 0.4
  xdotool key "$1"
}
# A Windows path for a file in the work folder (z: is the Linux root).
winpath() { winepath_of "$work/$1"; }
type_into_dialog() { # dialog title, text
  local d
  d="$(find_window "$1")" || { echo "FAIL: no dialog '$1'"; exit 1; }
  xdotool windowfocus --sync "$d" || true
  sleep 0.3
  xdotool type --delay 15 "$2"
  xdotool key Return
  gone "$d" || { echo "FAIL: the dialog '$1' stayed open"; exit 1; }
}

menu_item s
type_into_dialog 'Сохранить' "$(winpath drawn)"
for _ in $(seq 1 50); do [ -f "$work/drawn.bmp" ] && break; sleep 0.1; done
[ -f "$work/drawn.bmp" ] || { echo "FAIL: drawn.bmp was not written"; ls "$work"; exit 1; }
sleep 0.3

python3 - "$work/drawn.bmp" <<'EOF' || fail=1
import struct, sys
data = open(sys.argv[1], 'rb').read()
problems = []
def expect(what, got, want):
    if got != want:
        problems.append('%s: %r, expected %r' % (what, got, want))
expect('file size', len(data), 720054)
magic, size, r1, r2, offset = struct.unpack_from('<2sIHHI', data, 0)
expect('magic', magic, b'BM')
expect('size field', size, 720054)
expect('pixel offset', offset, 54)
hsize, w, h, planes, bits, comp, image = struct.unpack_from('<IiiHHII', data, 14)
expect('header', (hsize, w, h, planes, bits, comp, image), (40, 450, 400, 1, 32, 0, 720000))
def px(x, y):  # bottom row first, blue green red zero
    at = 54 + (399 - y) * 1800 + x * 4
    return tuple(data[at:at + 4])
expect('inside the box (200, 175)', px(200, 175), (0, 0, 255, 0))
expect('near the press corner (102, 102)', px(102, 102), (0, 0, 255, 0))
expect('outside the box (50, 50)', px(50, 50), (0, 0, 0, 0))
expect('outside the box (350, 300)', px(350, 300), (0, 0, 0, 0))
for p in problems:
    print('FAIL: drawn.bmp ' + p)
sys.exit(1 if problems else 0)
EOF

# New clears the canvas; the open dialog brings the picture back.
menu_item n
sleep 0.5
screenshot "$work/cleared.png"
[ "$(pixel "$work/cleared.png" $((cx + 200)) $((cy + 175)))" = "0,0,0" ] ||
  { echo "FAIL: New did not clear the canvas"; fail=1; }
menu_item o
type_into_dialog 'Open File' "$(winpath drawn.bmp)"
sleep 0.7
screenshot "$work/opened.png"
check "$work/opened.png" 200 175 255,0,0 "after opening, inside the box"
check "$work/opened.png" 298 248 255,0,0 "after opening, near the release corner"
check "$work/opened.png" 50 50 0,0,0 "after opening, outside the box"
[ "$fail" -eq 0 ] && echo "PASS: saved through the save dialog and opened again"
exit "$fail"
