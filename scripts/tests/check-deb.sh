#!/usr/bin/env bash
# The Debian package: its control data, its files (programs and sounds under
# /usr/lib, working launchers on the PATH, a menu entry that starts each one,
# with its Russian name and a 48 x 48 icon) and, when lintian is present, no
# error from lintian.
set -uo pipefail
export LC_ALL=C
deb="${1:?deb}"; version="${2:?version}"
[ -f "$deb" ] || { echo "missing $deb"; exit 1; }
status=0
fail() { echo "$1"; status=1; }
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = desk-quartet ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version), expected $version"
[ "$(field Architecture)" = amd64 ] || fail "Architecture: $(field Architecture)"
for dep in wine wine64 locales; do
  field Depends | tr ',|' '\n\n' | grep -qE "^ *$dep( |$)" || fail "Depends lacks $dep: $(field Depends)"
done

tree="$(mktemp -d)"; trap 'rm -rf "$tree"' EXIT
dpkg-deb -x "$deb" "$tree" || exit 1
lib="$tree/usr/lib/desk-quartet"
[ "$(ls "$lib"/*.wav | wc -l)" -eq 19 ] || fail "sounds in /usr/lib/desk-quartet: $(ls "$lib" | tr '\n' ' ')"
declare -A TITLE=([plitoboy]=Плитобой [polzun]=Ползун [risovik]=Рисовик [dirvik]=Дирвик)
declare -A DIR=([plitoboy]=games [polzun]=games [risovik]=bin [dirvik]=bin)
for p in plitoboy polzun risovik dirvik; do
  launcher="/usr/${DIR[$p]}/$p"; desktop="$tree/usr/share/applications/$p.desktop"
  icon="$tree/usr/share/icons/hicolor/48x48/apps/$p.png"
  [ -f "$lib/$p.exe" ] || fail "no /usr/lib/desk-quartet/$p.exe"
  [ -x "$tree$launcher" ] && sh -n "$tree$launcher" || fail "no working launcher $launcher"
  grep -qx "program=$p" "$tree$launcher" && grep -qx 'program_dir="/usr/lib/desk-quartet"' "$tree$launcher" ||
    fail "$launcher does not start /usr/lib/desk-quartet/$p.exe"
  grep -qx "Exec=$launcher" "$desktop" 2>/dev/null || fail "$p.desktop does not start $launcher"
  grep -qx "Name=${TITLE[$p]}" "$desktop" 2>/dev/null || fail "$p.desktop is not named ${TITLE[$p]}"
  grep -qx "Icon=$p" "$desktop" 2>/dev/null || fail "$p.desktop names no icon $p"
  [ "$(identify -format '%m %wx%h' "$icon" 2>/dev/null)" = "PNG 48x48" ] || fail "no 48x48 PNG icon for $p"
done

if command -v lintian >/dev/null; then
  tags="$(lintian "$deb" 2>&1 | grep -E '^[EW]:')"
  ! grep -q '^E:' <<<"$tags" || fail "lintian: $tags"
  echo "lintian: $(grep -c '^E:' <<<"$tags") errors, $(grep -c '^W:' <<<"$tags") warnings"
else
  echo "lintian not installed: skipped"
fi
[ "$status" -eq 0 ] && echo "deb ok: $(dpkg-deb -c "$deb" | wc -l) entries"
exit $status
