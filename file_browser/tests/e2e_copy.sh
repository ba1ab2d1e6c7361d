#!/usr/bin/env bash
# End to end with real X input: start dirvik, double-click the z: drive, walk
# into a prepared folder, and copy files through the input panel by typing
# paths: a small file and a 50 MB one into a folder; an emptied field, which
# must say that there is no such folder; a folder typed without its trailing
# backslash, which receives the file; onto a full disk (a 1 MB
# tmpfs), where a new copy and a replacement answered Yes both fail and leave
# nothing behind and the old file byte for byte; and one copy whose "replace?"
# question waits while a second copy is made and answered No. Then Exit.
# Arguments: dirvik.exe and the probe helper (e2e_probe.exe). E2E_SHOTS names
# a folder for screenshots of the steps.
#
# The tmpfs lives in a private mount namespace (root is needed; without it the
# test is skipped with code 77). The program and its own wineserver run in
# that namespace, as the server opens the files for its clients.
set -euo pipefail
if [ "${DIRVIK_E2E_NAMESPACE:-}" != 1 ]; then
  [ "$(id -u)" -eq 0 ] || { echo "e2e: a private tmpfs needs root; skipped"; exit 77; }
  DIRVIK_E2E_NAMESPACE=1 exec unshare -m --propagation private bash "$0" "$@"
fi
exe="$(realpath "$1")"
probe_exe="$(realpath "$2")"
root="${DESK_ROOT:-$(cd "$(dirname "$0")/../.." && pwd)}"
wine_exec="$root/scripts/wine-exec"
REPO_ROOT="$root"
DESK_KEEP_WINE_SETTINGS=1
# shellcheck source=../../scripts/wine-env.sh
. "$root/scripts/wine-env.sh"

work="$(mktemp -d /tmp/dirvik-e2e-XXXXXX)"
name="отчёт 1.txt"
mkdir "$work/out" "$work/full" "$work/into"
head -c 3000 /dev/urandom >"$work/$name"
head -c 50M /dev/urandom >"$work/huge.bin"
head -c 900K /dev/urandom >"$work/big.bin"
printf AAAA >"$work/a.txt"
printf 'a1 old' >"$work/a1.txt"
printf BBBB >"$work/b.txt"
printf 'c1 old' >"$work/c1.txt"
mount -t tmpfs -o size=1m tmpfs "$work/full"
head -c 300K /dev/urandom >"$work/full/old.bin"
cp "$work/full/old.bin" "$work/old.orig"
# Private folders for the server's socket: the first Wine program started
# here starts a wineserver of this namespace, which sees the tmpfs, instead of
# joining a server already running outside. Debian's Wine keeps the socket in
# /tmp/<name read from the prefix's "wineserver" file>, others in /tmp/.wine-UID.
for sockets in ".wine-$(id -u)" $(cat "$WINEPREFIX/wineserver" 2>/dev/null); do
  mkdir -p "/tmp/$sockets"
  mount -t tmpfs -o mode=700 tmpfs "/tmp/$sockets"
done
cleanup() {
  stop_launched
  timeout 20 wineserver -k 2>/dev/null || true
  umount "$work/full" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "e2e: $*" >&2; shot failure; exit 1; }
shot() { [ -z "${E2E_SHOTS:-}" ] || screenshot "$E2E_SHOTS/$1.png"; }
# The probe prints Windows-1251 text; the script compares UTF-8.
probe() { "$wine_exec" "$probe_exe" "$@" | tr -d '\r' | iconv -f CP1251 -t UTF-8; }
click_at() { # x y clicks
  xdotool mousemove "$1" "$2" click --repeat "$3" --delay 80 1
}

# Points at a list entry, scrolled into view, and double-clicks (or clicks) it.
click_entry() { # entry clicks
  local at
  at=$(probe item "$1") || fail "no entry $1 (path bar: $(probe text 308))"
  # shellcheck disable=SC2086
  click_at $at "$2"
  sleep 0.4
}

# Selects `entry`, opens the copy panel from the menu and clicks into its field.
open_copy_panel() { # entry
  local at
  click_entry "$1" 1
  xdotool windowfocus --sync "$win"
  xdotool key alt+f
  sleep 0.3
  xdotool key c
  sleep 0.5
  at=$(probe control 310) || fail "the copy panel did not open for $1"
  # shellcheck disable=SC2086
  click_at $at 1
}
press_ok() {
  local at
  at=$(probe control 303)
  # shellcheck disable=SC2086
  click_at $at 1
  sleep 0.5
}

# Selects `entry`, opens the copy panel, types `text` behind the suggested
# folder and presses "OK".
copy_to() { # entry text
  open_copy_panel "$1"
  xdotool key End
  xdotool type --delay 30 "$2"
  sleep 0.2
  [ "$(probe text 310)" = "$folder$2" ] || fail "input field: $(probe text 310)"
  press_ok
}

# Waits for a message box with `caption`, shoots it, and presses button `id`
# (1 OK, 6 Yes, 7 No). Prints the box's text.
answer_box() { # caption id shot
  local box at
  box=$(probe box) || fail "no message box (want $1)"
  [ "${box%%|*}" = "$1" ] || fail "box '$box', want the caption $1"
  shot "$3"
  at=$(probe boxbutton "$2") || fail "no button $2 in the box $box"
  # shellcheck disable=SC2086
  click_at $at 1
  sleep 0.6
  echo "${box#*|}"
}
no_leftovers() { # folder
  ! ls "$1" | grep -q '^dvk.*\.tmp$' || fail "a temporary file was left in $1: $(ls "$1")"
}

cd "$(dirname "$exe")"
launch . "./$(basename "$exe")"
probe wait || fail "the window did not appear"
# The namespace's own wineserver starts Wine's helper processes now, whose
# windows come and go: a search that meets one as it goes fails with
# BadWindow, so it is tried again.
win=$(POLL_MS=200 wait_window 10 --limit 1 --name "Папковод") || fail "no X window named Папковод"
[ "$(probe text 308)" = "Мой компьютер" ] || fail "path bar at start: $(probe text 308)"

click_entry "[-z-]" 2
[ "$(probe text 308)" = 'z:\*.*' ] || fail "after z: the path bar reads $(probe text 308)"
click_entry "[tmp]" 2
click_entry "[$(basename "$work")]" 2
folder="z:\\tmp\\$(basename "$work")\\"
[ "$(probe text 308)" = "$folder*.*" ] || fail "path bar $(probe text 308), want $folder*.*"

copy_to "$name" 'out\'
cmp "$work/$name" "$work/out/$name" || fail "the copy differs from the file"
probe control 310 >/dev/null 2>&1 && fail "the panel stayed open after the copy"
# The field emptied with real keys: an empty target names no folder.
open_copy_panel "$name"
xdotool key End shift+Home BackSpace
sleep 0.2
[ -z "$(probe text 310)" ] || fail "the field still holds $(probe text 310)"
press_ok
text=$(answer_box Error 1 empty-target)
[ "$text" = "Директории стаким именем не существует" ] || fail "an empty target said \"$text\""
# A folder typed without its trailing backslash: the copy goes into it, unasked.
copy_to "$name" into
probe control 310 >/dev/null 2>&1 && fail "the panel stayed open: a question for a folder target?"
cmp "$work/$name" "$work/into/$name" || fail "the copy into into/ differs from the file"
copy_to huge.bin 'out\'
cmp "$work/huge.bin" "$work/out/huge.bin" || fail "the 50 MB copy differs from the file"

# The full disk: a new copy fails and leaves nothing.
copy_to big.bin 'full\new.bin'
# Wine's words for a full disk; any other text means the copy never met the
# full disk (a server outside this namespace opened the files).
disk_full="Диск полностью заполнен."
text=$(answer_box Error 1 full-new)
[ "$text" = "$disk_full" ] || fail "a new copy onto the full disk said \"$text\""
[ -e "$work/full/new.bin" ] && fail "a cut-off new.bin was left on the full disk"
no_leftovers "$work/full"
# A replacement answered Yes fails and leaves the old file as it was.
copy_to big.bin 'full\old.bin'
answer_box "Потверждение замены файла" 6 full-replace-question >/dev/null
text=$(answer_box Error 1 full-replace-error)
cmp "$work/old.orig" "$work/full/old.bin" || fail "the old file was damaged ($text)"
no_leftovers "$work/full"
[ "$text" = "$disk_full" ] || fail "a replacement onto the full disk said \"$text\""
echo "e2e: on the full disk both copies failed with \"$text\"; nothing was left or damaged"

# While the question for a.txt onto a1.txt waits, b.txt is copied onto c1.txt
# and answered No; then the first question is answered Yes.
copy_to a.txt a1.txt
probe box >/dev/null || fail "no question for a1.txt"
copy_to b.txt c1.txt
answer_box "Потверждение замены файла" 7 reentry-second-no >/dev/null
answer_box "Потверждение замены файла" 6 reentry-first-yes >/dev/null
[ "$(cat "$work/a1.txt")" = AAAA ] || fail "a1.txt holds '$(cat "$work/a1.txt")', want AAAA"
[ "$(cat "$work/c1.txt")" = 'c1 old' ] || fail "c1.txt holds '$(cat "$work/c1.txt")', want its own"
no_leftovers "$work"
shot done

# The "Exit" button ends the program with code 0.
at=$(probe control 302)
# shellcheck disable=SC2086
click_at $at 1
wait_exit 5 || fail "the program did not end on Exit"
[ "$LAUNCHED_CODE" -eq 0 ] || fail "exit code $LAUNCHED_CODE"
echo "e2e: copies into out/ (50 MB too) arrived whole; the waiting copy was not redirected; Exit ended the program with 0"
