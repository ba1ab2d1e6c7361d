#!/usr/bin/env bash
# Writes the menu icons of each program into an icon theme tree:
# OUT_DIR/<n>x<n>/apps/<program>.png for n = 16, 32, 48, 64, 128 and 256. The
# source is the program's first icon resource (or, for a program without one,
# the picture kept in dist/icons). Each size is made from the smallest source
# image at least that large, with the most colours; a size larger than every
# image is blown up pixel by pixel to a whole multiple first, so the pixel
# art stays sharp, and only then brought to its size.
#   scripts/make-icons.sh OUT_DIR BIN_DIR program...
set -euo pipefail
export LC_ALL=C
out="${1:?usage: make-icons.sh OUT_DIR BIN_DIR program...}"; bin="${2:?BIN_DIR}"; shift 2
repo_root="$(cd "$(dirname "$0")/.." && pwd)"
sizes="16 32 48 64 128 256"
for p in "$@"; do
  tmp="$(mktemp -d)"
  src=""
  if wrestool -x -t 14 "$bin/$p.exe" -o "$tmp" 2>/dev/null && ls "$tmp"/*.ico >/dev/null 2>&1; then
    src="$(ls "$tmp"/*.ico | head -1)"
  else
    src="$repo_root/dist/icons/$p.png"
  fi
  # index width depth, one line per image
  identify -format '%p %w %z\n' "$src" >"$tmp/images"
  for n in $sizes; do
    mkdir -p "$out/${n}x${n}/apps"
    pick=$(awk -v n="$n" '$2 >= n' "$tmp/images" | sort -k2,2n -k3,3nr | head -1)
    [ -n "$pick" ] || pick=$(sort -k2,2nr -k3,3nr "$tmp/images" | head -1)
    read -r index width _ <<<"$pick"
    image="${src}[$index]"
    if [ "$width" -lt "$n" ]; then
      factor=$(((n + width - 1) / width))
      convert "$image" -filter point -resize "$((width * factor))x$((width * factor))" \
        -filter Lanczos -resize "${n}x${n}" -strip "$out/${n}x${n}/apps/$p.png"
    else
      convert "$image" -resize "${n}x${n}" -strip "$out/${n}x${n}/apps/$p.png"
    fi
  done
  rm -rf "$tmp"
done
