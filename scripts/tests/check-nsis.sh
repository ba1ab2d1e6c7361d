#!/usr/bin/env bash
# The Windows installer, run silently under Wine in the test prefix, puts the
# four programs, the sounds and the read-me into one folder under Program
# Files, the Russian-named shortcuts into the Start menu and an entry with the
# project's version into "Programs and Features"; its silent uninstaller
# takes all of it away again.
set -uo pipefail
export LC_ALL=C
# Wine itself needs a UTF-8 locale for the shortcuts' Cyrillic file names (under
# LC_ALL=C it cannot make them); C.UTF-8 also shows that the installer works
# on a system whose code page is not 1251.
export DESK_WINE_LOCALE="${DESK_WINE_LOCALE:-C.UTF-8}"
installer="${1:?installer}"; version="${2:?version}"
root="$(cd "$(dirname "$0")/../.." && pwd)"
wine() { "$root/scripts/wine-exec" "$@" </dev/null >/dev/null 2>&1; }
REPO_ROOT="$root"
DESK_KEEP_WINE_SETTINGS=1
# shellcheck source=../wine-env.sh
. "$root/scripts/wine-env.sh"
dir="$WINEPREFIX/drive_c/Program Files/desk-quartet"
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/desk-quartet"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\desk-quartet'
vendor='HKLM\Software\desk-quartet'
status=0
fail() { echo "$1"; status=1; }
has_key() { wine reg query "$1"; }

# A run that stopped half-way leaves nothing behind for this one.
rm -rf "$dir" "$menu"; wine reg delete "$key" /f; wine reg delete "$vendor" /f

wine "$installer" /S || fail "the installer failed"
for f in plitoboy.exe polzun.exe risovik.exe dirvik.exe README.txt Uninstall.exe play.wav \
  round.wav 1.wav 2.wav 3.wav pause.wav Kubik.wav excelent.wav Doska.wav Stena.wav \
  gameover.wav Congrat.wav Applauds.wav Bye.wav exit.wav Stupid.wav pp.wav Hop.wav Yeahbaby.wav; do
  [ -f "$dir/$f" ] || fail "not installed: $f"
done
[ "$(ls "$dir" | wc -l)" -eq 25 ] || fail "installed folder holds: $(ls "$dir" | tr '\n' ' ')"
shortcuts="$(ls "$menu" 2>/dev/null | sort | tr '\n' ' ')"
[ "$shortcuts" = "$(printf '%s\n' Плитобой.lnk Ползун.lnk Рисовик.lnk Дирвик.lnk Uninstall.lnk | sort | tr '\n' ' ')" ] ||
  fail "Start-menu shortcuts: '$shortcuts'"
# The brick game's shortcut starts it in the folder of its sounds.
strings -a -el "$menu/Плитобой.lnk" 2>/dev/null | grep -qx 'C:\\Program Files\\desk-quartet' ||
  fail "the brick game's shortcut does not start it in the installed folder"
"$root/scripts/wine-exec" reg query "$key" /v DisplayVersion 2>/dev/null </dev/null | grep -q "$version" ||
  fail "no uninstall entry with version $version"

# The uninstaller runs a copy of itself from the temporary folder and returns
# at once: wait (a minute at most) for that copy to finish.
wine "C:\\Program Files\\desk-quartet\\Uninstall.exe" /S || fail "the uninstaller failed"
for _ in $(seq 1 600); do
  [ -e "$dir" ] || [ -e "$menu" ] || break
  sleep 0.1
done
[ ! -e "$dir" ] || fail "left after uninstalling: $dir: $(ls "$dir" | tr '\n' ' ')"
[ ! -e "$menu" ] || fail "left after uninstalling: the Start-menu folder"
has_key "$key" && fail "left after uninstalling: $key"
has_key "$vendor" && fail "left after uninstalling: $vendor"
[ "$status" -eq 0 ] && echo "installer ok: 25 files, 5 shortcuts, uninstalled without a trace"
exit $status
