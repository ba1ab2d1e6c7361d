#!/usr/bin/env bash
# Installs what is missing, builds the four programs and starts one of them
# under Wine: plitoboy (default), polzun, risovik or dirvik.
#   scripts/run.sh [program]
set -euo pipefail
REPO_ROOT="$(cd "$(dirname "$0")/.." && pwd)"
program="${1:-plitoboy}"
case "$program" in
  plitoboy|polzun|risovik|dirvik) ;;
  *) echo "usage: $0 [plitoboy|polzun|risovik|dirvik]" >&2; exit 2 ;;
esac

"$REPO_ROOT/scripts/bootstrap.sh"
cd "$REPO_ROOT"
cmake --preset mingw >/dev/null
cmake --build --preset mingw --target "$program"

# shellcheck source=wine-env.sh
. "$REPO_ROOT/scripts/wine-env.sh"
if [ -z "${DISPLAY:-}" ]; then
  echo "run: no DISPLAY set; starting the program on a virtual X server" >&2
  ensure_display
fi
wine_prefix_ready
# The programs find their sound files and write their files in the current
# folder, so they start where the build put them.
cd "$REPO_ROOT/build/mingw/bin"
exec "$REPO_ROOT/scripts/wine-exec" "./$program.exe"
