#!/usr/bin/env bash
# Installs the four programs for the current Linux user, without a package:
# the .exe files and sounds under ~/.local/share/desk-quartet, a launcher per
# program in ~/.local/bin (the same one the Debian package installs: Wine
# under the user's own locale, with a prefix of the user's own, made on first
# start), menu entries in ~/.local/share/applications and PNG icons of six
# sizes taken from the programs' own icon resources.
#   scripts/install-desktop.sh <folder with the built .exe files>
set -euo pipefail
bin_dir="$(cd "${1:?usage: install-desktop.sh BIN_DIR}" && pwd)"
repo_root="$(cd "$(dirname "$0")/.." && pwd)"
data_home="${XDG_DATA_HOME:-$HOME/.local/share}"
dest="$data_home/desk-quartet"
launch_dir="$HOME/.local/bin"
apps="$data_home/applications"
icons="$data_home/icons/hicolor"
mkdir -p "$dest" "$launch_dir" "$apps" "$icons"

# A key of a program's menu entry template: Name, Name[ru].
entry() { # program key
  sed -n "s/^$(printf '%s' "$2" | sed 's/[][]/\\&/g')=//p" "$repo_root/dist/linux/$1.desktop.in"
}
# Fills a template of dist/linux: @NAME@ -> value.
fill() { # template program
  sed -e "s|@DESK_PROGRAM@|$2|g" -e "s|@DESK_PROGRAM_DIR@|$dest|g" \
      -e "s|@DESK_NAME@|$(entry "$2" Name)|g" -e "s|@DESK_NAME_RU@|$(entry "$2" 'Name[ru]')|g" \
      -e "s|@DESK_EXEC@|$launch_dir/$2|g" -e "s|@DESK_ICON@|$2|g" "$repo_root/dist/linux/$1"
}

cp -f "$bin_dir"/*.wav "$dest"/ 2>/dev/null || true
installed=0
for p in plitoboy polzun risovik dirvik; do
  [ -f "$bin_dir/$p.exe" ] || { echo "install-desktop: $p.exe not built, skipped" >&2; continue; }
  cp -f "$bin_dir/$p.exe" "$dest/"
  fill launcher.in "$p" >"$launch_dir/$p"
  chmod +x "$launch_dir/$p"
  bash "$repo_root/scripts/make-icons.sh" "$icons" "$bin_dir" "$p"
  fill "$p.desktop.in" "$p" >"$apps/$p.desktop"
  installed=$((installed + 1))
done
command -v update-desktop-database >/dev/null && update-desktop-database "$apps" 2>/dev/null || true
echo "install-desktop: $installed programs installed into $dest, launchers in $launch_dir"
