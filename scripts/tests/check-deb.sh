#!/usr/bin/env bash
# The Debian package: its control data, its files (programs and sounds under
# /usr/lib, working launchers on the PATH that run Wine under the user's own
# locale, a menu entry and a software-centre entry that start each one, with
# English and Russian names, icons of six sizes, a manual page with a date)
# and, where the tools are present, no complaint from desktop-file-validate,
# appstreamcli or lintian --pedantic.
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
deps="$(field Depends | tr ',|' '\n\n' | sed 's/^ *//; s/ .*//')"
for dep in wine wine64 libnotify-bin; do
  grep -qx "$dep" <<<"$deps" || fail "Depends lacks $dep: $(field Depends)"
done
! grep -qE '^locales' <<<"$deps" || fail "Depends still asks for a locale: $(field Depends)"

tree="$(mktemp -d)"; trap 'rm -rf "$tree"' EXIT
dpkg-deb -x "$deb" "$tree" || exit 1
lib="$tree/usr/lib/desk-quartet"
[ "$(ls "$lib"/*.wav | wc -l)" -eq 19 ] || fail "sounds in /usr/lib/desk-quartet: $(ls "$lib" | tr '\n' ' ')"
declare -A NAME=([plitoboy]=Plitoboy [polzun]=Polzun [risovik]=Risovik [dirvik]=Dirvik)
declare -A TITLE=([plitoboy]=Плитобой [polzun]=Ползун [risovik]=Рисовик [dirvik]=Дирвик)
declare -A DIR=([plitoboy]=games [polzun]=games [risovik]=bin [dirvik]=bin)
declare -A MAN=([plitoboy]=man6/plitoboy.6 [polzun]=man6/polzun.6 [risovik]=man1/risovik.1
                [dirvik]=man1/dirvik.1)
for p in plitoboy polzun risovik dirvik; do
  launcher="/usr/${DIR[$p]}/$p"; desktop="$tree/usr/share/applications/$p.desktop"
  metainfo="$tree/usr/share/metainfo/org.example.deskquartet.$p.metainfo.xml"
  [ -f "$lib/$p.exe" ] || fail "no /usr/lib/desk-quartet/$p.exe"
  [ -x "$tree$launcher" ] && sh -n "$tree$launcher" || fail "no working launcher $launcher"
  grep -qx "program=$p" "$tree$launcher" && grep -qx 'program_dir="/usr/lib/desk-quartet"' "$tree$launcher" ||
    fail "$launcher does not start /usr/lib/desk-quartet/$p.exe"
  ! grep -qE 'ru_RU|xmessage|LC_ALL=' "$tree$launcher" || fail "$launcher sets a locale or needs xmessage"
  grep -qF "name=\"${TITLE[$p]}\"" "$tree$launcher" || fail "$launcher has no Russian name for its messages"
  grep -qx "Exec=$launcher" "$desktop" 2>/dev/null || fail "$p.desktop does not start $launcher"
  grep -qx "Name=${NAME[$p]}" "$desktop" && grep -qx "Name\[ru\]=${TITLE[$p]}" "$desktop" ||
    fail "$p.desktop is not named ${NAME[$p]} and ${TITLE[$p]}"
  for key in GenericName Comment 'Comment[ru]' Keywords; do
    grep -q "^${key/\[/\\[}=." "$desktop" || fail "$p.desktop has no $key"
  done
  grep -qx "Icon=$p" "$desktop" 2>/dev/null || fail "$p.desktop names no icon $p"
  grep -q "<launchable type=\"desktop-id\">$p.desktop</launchable>" "$metainfo" 2>/dev/null &&
    grep -q "<release version=\"$version\"" "$metainfo" || fail "no metainfo launching $p.desktop at $version"
  for n in 16 32 48 64 128 256; do
    icon="$tree/usr/share/icons/hicolor/${n}x${n}/apps/$p.png"
    [ "$(identify -format '%m %wx%h' "$icon" 2>/dev/null)" = "PNG ${n}x${n}" ] || fail "no ${n}x${n} PNG icon for $p"
  done
  man="$(zcat "$tree/usr/share/man/${MAN[$p]}.gz" 2>/dev/null)"
  grep -qE '^\.TH [^ ]+ [16] [0-9]{4}-[0-9]{2}-[0-9]{2} ' <<<"$man" &&
    grep -qE '^\.SH (HOW TO PLAY|USAGE)' <<<"$man" || fail "${MAN[$p]} has no date or no usage section"
done

# The validators: any line they print is a complaint.
if command -v desktop-file-validate >/dev/null; then
  out="$(desktop-file-validate "$tree"/usr/share/applications/*.desktop 2>&1)"
  [ -z "$out" ] || fail "desktop-file-validate: $out"
  echo "desktop-file-validate: ${out:-clean}"
else
  echo "desktop-file-validate not installed: skipped"
fi
if command -v appstreamcli >/dev/null; then
  for f in "$tree"/usr/share/metainfo/*.xml; do
    out="$(appstreamcli validate --no-net --pedantic --no-color "$f" 2>&1)" ||
      fail "appstreamcli: $out"
    grep -qE '^ *[EWIP]: ' <<<"$out" && fail "appstreamcli: $out"
  done
  echo "appstreamcli: $(ls "$tree"/usr/share/metainfo | wc -l) metainfo files validated"
else
  echo "appstreamcli not installed: skipped"
fi
if command -v lintian >/dev/null; then
  tags="$(lintian --pedantic --display-info "$deb" 2>&1 | grep -E '^[EWIPX]: ')"
  [ -z "$tags" ] || fail "lintian: $tags"
  echo "lintian --pedantic: $(grep -c . <<<"$tags") tags"
else
  echo "lintian not installed: skipped"
fi
[ "$status" -eq 0 ] && echo "deb ok: $(dpkg-deb -c "$deb" | wc -l) entries"
exit $status
