#!/usr/bin/env bash
# Installs the four programs for the current Linux user: the .exe files and
# sounds under ~/.local/share/desk-quartet, a launcher per program in
# ~/.local/bin that starts it under Wine with its own prefix and the Russian
# locale, menu entries in ~/.local/share/applications and PNG icons taken
# from the programs' own icon resources.
#   scripts/install-desktop.sh <folder with the built .exe files>
set -euo pipefail
bin_dir="$(cd "${1:?usage: install-desktop.sh BIN_DIR}" && pwd)"
repo_root="$(cd "$(dirname "$0")/.." && pwd)"
data_home="${XDG_DATA_HOME:-$HOME/.local/share}"
dest="$data_home/desk-quartet"
launch_dir="$HOME/.local/bin"
apps="$data_home/applications"
icons="$data_home/icons/hicolor/48x48/apps"
mkdir -p "$dest" "$launch_dir" "$apps" "$icons"

declare -A TITLE=([plitoboy]="Плитобой" [polzun]="Ползун" [risovik]="Рисовик" [dirvik]="Дирвик")
declare -A COMMENT=(
  [plitoboy]="Brick and ball game / Игра с мячом и кубиками"
  [polzun]="Snake game / Змейка"
  [risovik]="Small picture editor / Графический редактор"
  [dirvik]="Small file browser / Обозреватель файлов")
declare -A CATEGORY=([plitoboy]="Game;ArcadeGame;" [polzun]="Game;ArcadeGame;"
  [risovik]="Graphics;2DGraphics;RasterGraphics;" [dirvik]="Utility;System;FileManager;")

cp -f "$bin_dir"/*.wav "$dest"/ 2>/dev/null || true
installed=0
for p in plitoboy polzun risovik dirvik; do
  [ -f "$bin_dir/$p.exe" ] || { echo "install-desktop: $p.exe not built, skipped" >&2; continue; }
  cp -f "$bin_dir/$p.exe" "$dest/"

  cat >"$launch_dir/$p" <<LAUNCH
#!/bin/sh
# Starts $p under Wine, with the prefix of these programs and the Russian
# locale (Windows code page 1251).
export WINEPREFIX="\${DESK_WINEPREFIX:-$dest/wine}"
export WINEDEBUG="\${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml="
if locale -a 2>/dev/null | grep -qi '^ru_RU\.utf-\?8\$'; then
  export LC_ALL=ru_RU.UTF-8
else
  echo "$p: the ru_RU.UTF-8 locale is missing; Russian texts will look wrong" >&2
fi
# The programs look for their sounds and write their files in the current folder.
cd "$dest" || exit 1
exec wine "$dest/$p.exe" "\$@"
LAUNCH
  chmod +x "$launch_dir/$p"

  # The largest image of the program's first icon resource, as PNG; for a
  # program without one, the picture kept for its menu entry.
  tmp="$(mktemp -d)"
  if wrestool -x -t 14 "$bin_dir/$p.exe" -o "$tmp" 2>/dev/null && ls "$tmp"/*.ico >/dev/null 2>&1; then
    ico="$(ls "$tmp"/*.ico | head -1)"
    best=$(identify -format '%p %w\n' "$ico" | sort -k2 -n | tail -1 | cut -d' ' -f1)
    convert "$ico[$best]" -resize 48x48 "$icons/$p.png"
  fi
  rm -rf "$tmp"
  if [ ! -f "$icons/$p.png" ] && [ -f "$repo_root/dist/icons/$p.png" ]; then
    cp -f "$repo_root/dist/icons/$p.png" "$icons/$p.png"
  fi

  cat >"$apps/$p.desktop" <<DESKTOP
[Desktop Entry]
Type=Application
Name=${TITLE[$p]}
GenericName=$p
Comment=${COMMENT[$p]}
Exec=$launch_dir/$p
Icon=$icons/$p.png
Terminal=false
Categories=${CATEGORY[$p]}
DESKTOP
  installed=$((installed + 1))
done
command -v update-desktop-database >/dev/null && update-desktop-database "$apps" 2>/dev/null || true
echo "install-desktop: $installed programs installed into $dest, launchers in $launch_dir"
