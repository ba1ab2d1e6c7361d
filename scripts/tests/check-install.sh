#!/usr/bin/env bash
# The desktop install puts a launcher, a menu entry and a PNG icon per program
# into the user's local folders (here a scratch HOME).
set -euo pipefail
export LC_ALL=C
bin="${1:?bin dir}"
home="$(mktemp -d)"
trap 'rm -rf "$home"' EXIT
HOME="$home" XDG_DATA_HOME="$home/.local/share" bash "$(dirname "$0")/../install-desktop.sh" "$bin"
status=0
for p in plitoboy polzun risovik dirvik; do
  l="$home/.local/bin/$p"; d="$home/.local/share/applications/$p.desktop"
  i="$home/.local/share/icons/hicolor/48x48/apps/$p.png"
  e="$home/.local/share/desk-quartet/$p.exe"
  [ -x "$l" ] || { echo "no launcher for $p"; status=1; }
  [ -f "$e" ] || { echo "no installed $p.exe"; status=1; }
  grep -q "^Exec=$l\$" "$d" 2>/dev/null || { echo "menu entry of $p does not start its launcher"; status=1; }
  if [ "$(head -c 8 "$i" 2>/dev/null | od -An -tx1 | tr -d ' \n')" != "89504e470d0a1a0a" ]; then
    echo "no PNG icon for $p"; status=1
  elif [ "$(identify -format '%wx%h' "$i")" != "48x48" ]; then
    echo "icon of $p is not 48x48"; status=1
  fi
  sh -n "$l" || { echo "launcher of $p is not valid sh"; status=1; }
done
[ -f "$home/.local/share/desk-quartet/play.wav" ] || { echo "sounds not installed"; status=1; }
exit $status
