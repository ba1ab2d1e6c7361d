#!/usr/bin/env bash
# Installs what is missing, builds one of the four programs and starts it
# under Wine: plitoboy (default), polzun, risovik or dirvik.
#   scripts/run.sh [program]
#   scripts/run.sh --screenshot FILE [program]
# The program runs under your own locale (its Russian texts show right
# whatever the code page; Wine's dialogs speak your language), in a Wine
# prefix of its own (build/wine-user), made once and kept apart from the
# tests' prefix, with Wine's defaults: sound on, and the desktop's window
# manager frames and places the windows. A second run
# rebuilds only what changed and starts the program within seconds.
# Without a display it starts nothing and says what to do; with --screenshot
# it runs the program on a virtual screen (Xvfb), saves a picture of that
# screen in FILE after a few seconds and closes the program.
set -euo pipefail
REPO_ROOT="$(cd "$(dirname "$0")/.." && pwd)"
shot=""
if [ "${1:-}" = --screenshot ]; then
  shot="${2:?usage: $0 --screenshot FILE [program]}"
  case "$shot" in /*) ;; *) shot="$PWD/$shot" ;; esac
  shift 2
fi
program="${1:-plitoboy}"
case "$program" in
  plitoboy|polzun|risovik|dirvik) ;;
  *) echo "usage: $0 [--screenshot FILE] [plitoboy|polzun|risovik|dirvik]" >&2; exit 2 ;;
esac
if [ -z "$shot" ] && [ -z "${DISPLAY:-}" ]; then
  cat >&2 <<MSG
run: no display (DISPLAY is not set), so $program would have no screen to show on.
Start it from a desktop session (or over ssh -X), or let it run on a virtual
screen and look at a picture of it:
  scripts/run.sh --screenshot $program.png $program
MSG
  exit 1
fi

"$REPO_ROOT/scripts/bootstrap.sh"
cd "$REPO_ROOT"
# Configured once; later builds reconfigure by themselves when a CMake file
# changes, and build only this program and what it needs.
[ -f build/mingw/CMakeCache.txt ] || cmake --preset mingw >/dev/null
cmake --build build/mingw -j2 --target "$program" | grep -v '^\[.*\] Built target' || true
[ -f "build/mingw/bin/$program.exe" ] || { echo "run: $program.exe was not built" >&2; exit 1; }

export PROJECT_WINEPREFIX="${DESK_USER_WINEPREFIX:-$REPO_ROOT/build/wine-user}"
# shellcheck source=wine-env.sh
. "$REPO_ROOT/scripts/wine-env.sh"
# The programs find their sound files and write their files in the current
# folder, so they start where the build put them.
cd "$REPO_ROOT/build/mingw/bin"
if [ -z "$shot" ]; then
  wine_prefix_ready user
  exec "$REPO_ROOT/scripts/wine-exec" "./$program.exe"
fi

unset DISPLAY
ensure_display
trap stop_wine_and_display EXIT
wine_prefix_ready user
launch . "./$program.exe" >/dev/null 2>&1
wait_window 30 --onlyvisible --classname "$program.exe" >/dev/null || true
sleep 3 # let it draw its first frames
screenshot "$shot"
echo "run: $program ran on the virtual screen $DISPLAY; its picture is in $shot"
