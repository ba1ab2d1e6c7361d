#!/usr/bin/env bash
# The release zip holds the four programs, the brick game's 19 sounds and the
# read-me, all in one folder, and nothing else.
set -euo pipefail
export LC_ALL=C
zip="${1:?zip}"
[ -f "$zip" ] || { echo "missing $zip"; exit 1; }
listing="$(unzip -Z1 "$zip" | sed 's#^[^/]*/##' | grep -v '^$' | sort)"
expected="$(printf '%s\n' plitoboy.exe polzun.exe risovik.exe dirvik.exe README.txt \
  play.wav round.wav 1.wav 2.wav 3.wav pause.wav Kubik.wav excelent.wav Doska.wav \
  Stena.wav gameover.wav Congrat.wav Applauds.wav Bye.wav exit.wav Stupid.wav pp.wav \
  Hop.wav Yeahbaby.wav | sort)"
if [ "$listing" != "$expected" ]; then
  echo "zip contents differ (< expected, > found):"
  diff <(echo "$expected") <(echo "$listing") || true
  exit 1
fi
folders="$(unzip -Z1 "$zip" | cut -d/ -f1 | sort -u | wc -l)"
[ "$folders" -eq 1 ] || { echo "expected one top folder, found $folders"; exit 1; }
# The read-me is in both languages.
unzip -p "$zip" '*/README.txt' | grep -q 'РУССКИЙ' || { echo "no Russian part"; exit 1; }
unzip -p "$zip" '*/README.txt' | grep -q 'ENGLISH' || { echo "no English part"; exit 1; }
echo "zip ok: $(echo "$listing" | wc -l) files"
