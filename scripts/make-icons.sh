#!/usr/bin/env bash
# Writes a 48 x 48 PNG menu icon per program: the largest image of the
# program's first icon resource, or, for a program without one, the picture
# kept in dist/icons.
#   scripts/make-icons.sh OUT_DIR BIN_DIR program...
set -euo pipefail
export LC_ALL=C
out="${1:?usage: make-icons.sh OUT_DIR BIN_DIR program...}"; bin="${2:?BIN_DIR}"; shift 2
repo_root="$(cd "$(dirname "$0")/.." && pwd)"
mkdir -p "$out"
for p in "$@"; do
  tmp="$(mktemp -d)"
  rm -f "$out/$p.png"
  if wrestool -x -t 14 "$bin/$p.exe" -o "$tmp" 2>/dev/null && ls "$tmp"/*.ico >/dev/null 2>&1; then
    ico="$(ls "$tmp"/*.ico | head -1)"
    best=$(identify -format '%p %w\n' "$ico" | sort -k2 -n | tail -1 | cut -d' ' -f1)
    convert "$ico[$best]" -resize 48x48 "$out/$p.png"
  fi
  rm -rf "$tmp"
  if [ ! -f "$out/$p.png" ]; then
    cp -f "$repo_root/dist/icons/$p.png" "$out/$p.png"
  fi
done
