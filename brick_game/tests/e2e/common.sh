# shellcheck shell=bash disable=SC2034
# Shared by the brick game's end-to-end scripts: starts the real plitoboy.exe
# under Wine from the folder that holds it and its sound files, finds its
# window on the X display, takes screenshots and checks pixels.
# Needs DISPLAY and WINEPREFIX (the test runner sets both).
set -euo pipefail
EXE="$1"
HERE="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
ROOT="${DESK_ROOT:-$(cd "$HERE/../../.." && pwd)}"
REPO_ROOT="$ROOT"
# shellcheck source=../../../scripts/wine-env.sh
. "$ROOT/scripts/wine-env.sh"
TITLE="П Л И Т О Б О Й"
WORK="$(mktemp -d)"
PIXELS="python3 $HERE/pixels.py"

cleanup() {
  stop_launched
  rm -rf "$WORK"
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

start_program() {
  cd "$(dirname "$EXE")"
  launch . "./$(basename "$EXE")" >/dev/null 2>&1
  WIN="$(wait_window 15 --name "^$TITLE\$")" || fail "the window did not appear"
  # The title screen's scrolling red lines show once the window is up and
  # running its frames; keys sent before that may be lost.
  local s red
  for _ in $(seq 1 50); do
    s="$(shot)"
    red="$($PIXELS count "$s" 0 0 0 150 800 260 200 0 0)"
    [ "$red" -gt 20 ] && break
    sleep 0.2
  done
  [ "$red" -gt 20 ] || fail "the title screen did not show"
  xdotool windowfocus "$WIN" 2>/dev/null || true
  sleep 1
}

shot() { # takes a screenshot and prints its path
  local path
  path="$WORK/shot-$(date +%s%N).png"
  screenshot "$path" 800x600+0+0
  echo "$path"
}

# Waits until the 27 bricks show, then sets OX, OY (the client area's origin
# on the screen) and PLAY_SHOT (that screenshot).
wait_for_play() {
  local s o
  for _ in $(seq 1 40); do
    s="$(shot)"
    o="$($PIXELS origin "$s")"
    if [ "$o" != none ] && $PIXELS bricks "$s" $o 0 0 250 >/dev/null; then
      read -r OX OY <<<"$o"
      PLAY_SHOT="$s"
      return 0
    fi
    sleep 0.25
  done
  fail "play did not start: no field of bricks on the screen"
}

# Retries a check (a shell function that looks at a fresh screenshot in $S
# and returns 0 when satisfied) for up to about five seconds.
until_seen() {
  local _
  for _ in $(seq 1 15); do
    S="$(shot)"
    "$1" && return 0
    sleep 0.2
  done
  return 1
}
