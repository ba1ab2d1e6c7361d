#!/usr/bin/env bash
# Installs the four programs for the current Linux user, without a package:
# the .exe files and sounds under ~/.local/share/desk-quartet, a launcher per
# program in ~/.local/bin (the same one the Debian package installs: Wine
# with a prefix of the user's own, made on first start, and the Russian
# locale), menu entries in ~/.local/share/applications and PNG icons taken
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
  [risovik]="Graphics;2DGraphics;RasterGraphics;" [dirvik]="Utility;FileManager;")

# Fills a template of dist/linux: @NAME@ -> value.
fill() { # template program
  sed -e "s|@DESK_PROGRAM@|$2|g" -e "s|@DESK_PROGRAM_DIR@|$dest|g" \
      -e "s|@DESK_TITLE@|${TITLE[$2]}|g" -e "s|@DESK_COMMENT@|${COMMENT[$2]}|g" \
      -e "s|@DESK_EXEC@|$launch_dir/$2|g" -e "s|@DESK_ICON@|$icons/$2.png|g" \
      -e "s|@DESK_CATEGORIES@|${CATEGORY[$2]}|g" "$repo_root/dist/linux/$1"
}

cp -f "$bin_dir"/*.wav "$dest"/ 2>/dev/null || true
installed=0
for p in plitoboy polzun risovik dirvik; do
  [ -f "$bin_dir/$p.exe" ] || { echo "install-desktop: $p.exe not built, skipped" >&2; continue; }
  cp -f "$bin_dir/$p.exe" "$dest/"
  fill launcher.in "$p" >"$launch_dir/$p"
  chmod +x "$launch_dir/$p"
  bash "$repo_root/scripts/make-icons.sh" "$icons" "$bin_dir" "$p"
  fill program.desktop.in "$p" >"$apps/$p.desktop"
  installed=$((installed + 1))
done
command -v update-desktop-database >/dev/null && update-desktop-database "$apps" 2>/dev/null || true
echo "install-desktop: $installed programs installed into $dest, launchers in $launch_dir"
