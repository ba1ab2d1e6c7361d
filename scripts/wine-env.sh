# shellcheck shell=bash disable=SC2034,SC2120
# The project's one shell library, sourced by wine-exec, the run and test
# scripts, the end-to-end tests, the benchmarks and the screenshot scripts:
#  - Wine for the project: its own prefix and the one way to find Wine;
#  - making that prefix, an X display and a persistent wineserver;
#  - a program under test: start it, wait for its window, take a screenshot,
#    wait for it to end, stop it.
# Wine runs under the caller's own locale; only the tests' prefix and server
# are made under the Russian one, which the tests run Wine in. Nothing here
# touches the user's own ~/.wine.

REPO_ROOT="${REPO_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"
# The prefix is PROJECT_WINEPREFIX, else build/wine; Wine is quiet and offers
# no Mono or Gecko installer. A script that sets the run up replaces whatever
# the caller exported; with DESK_KEEP_WINE_SETTINGS=1 (wine-exec, and the
# scripts that ctest starts) the settings the caller exported are kept, so
# every test of a run shares the runner's prefix.
if [ "${DESK_KEEP_WINE_SETTINGS:-}" != 1 ]; then unset WINEPREFIX WINEDEBUG WINEDLLOVERRIDES; fi
export WINEPREFIX="${WINEPREFIX:-${PROJECT_WINEPREFIX:-$REPO_ROOT/build/wine}}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
WINE64=/usr/lib/wine/wine64
[ -x "$WINE64" ] || WINE64="$(command -v wine64 || command -v wine)"

# Creates the prefix once. A lock keeps two concurrent runs from building the
# same prefix at the same time; a time limit keeps a stuck wineserver from
# hanging the caller.
#   wine_prefix_ready        the tests' prefix: no sound, windows that Wine
#                            frames itself (fast without a window manager)
#   wine_prefix_ready user   a prefix for a person: Wine's defaults, so sound
#                            plays and the desktop's window manager frames
#                            and places the windows; made under the person's
#                            own locale
wine_prefix_ready() {
  local kind="${1:-test}"
  local locale=()
  [ "$kind" = user ] || locale=(LC_ALL=ru_RU.UTF-8)
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock -w 300 9 || { echo "wine-env: prefix lock timed out" >&2; exit 1; }
    if [ ! -f "$WINEPREFIX/.project-ready" ]; then
      echo "wine-env: creating the Wine prefix in $WINEPREFIX (once)"
      rm -rf "$WINEPREFIX"
      timeout 180 env "${locale[@]}" "$WINE64" wineboot -i >/dev/null 2>&1 || true
      timeout 60 wineserver -w || true
      [ -f "$WINEPREFIX/system.reg" ] || { echo "wine-env: wineboot failed" >&2; exit 1; }
      [ "$kind" = user ] || make_test_prefix || exit 1
      touch "$WINEPREFIX/.project-ready"
    fi
    # Wine draws the caption buttons with the Marlett font; Debian keeps it
    # outside the prefix, where this Wine does not find it.
    if [ ! -f "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf" ] &&
       [ -f /usr/share/wine/fonts/marlett.ttf ]; then
      cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    fi
  ) 9>"$WINEPREFIX.lock"
}

# The tests' settings: no sound device, windows framed by Wine itself (no
# wait for a window manager), no crash dialog waiting for an answer.
make_test_prefix() {
  cat >"$WINEPREFIX/project.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"

[HKEY_CURRENT_USER\Software\Wine\Drivers]
"Audio"=""

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000
REG
  timeout 60 env LC_ALL=ru_RU.UTF-8 "$WINE64" regedit /S "$(winepath_of "$WINEPREFIX/project.reg")" >/dev/null 2>&1 || true
  timeout 60 wineserver -w || true
}

winepath_of() { echo "Z:$(echo "$1" | sed 's#/#\\#g')"; }

# Starts an X server when none is set. Picks a free display number so that
# several runs on one machine do not collide.
ensure_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo_ok; then return 0; fi
  local n i
  for n in $(seq 90 140); do
    { [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; } && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    for i in $(seq 1 50); do
      # Another run may have taken the same number a moment earlier: then
      # this server exits, and the next number is tried. Sharing a display
      # would let two runs' windows and X input interfere.
      kill -0 "$XVFB_PID" 2>/dev/null || break
      if [ -e "/tmp/.X11-unix/X$n" ] && DISPLAY=":$n" xdpyinfo_ok; then
        sleep 0.2
        if kill -0 "$XVFB_PID" 2>/dev/null; then
          export DISPLAY=":$n"
          return 0
        fi
        break
      fi
      sleep 0.1
    done
    kill "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=""
  done
  echo "wine-env: could not start Xvfb" >&2
  return 1
}

xdpyinfo_ok() { xdotool getdisplaygeometry >/dev/null 2>&1; }

# A persistent server plus one warm-up run keeps every later Wine start fast
# and keeps Wine's background services from inheriting the test runner's pipes.
start_wine_server() {
  wineserver -p 2>/dev/null || true
  timeout 120 env LC_ALL=ru_RU.UTF-8 "$WINE64" wineboot >/dev/null 2>&1 </dev/null || true
}

stop_wine_and_display() {
  timeout 20 wineserver -k 2>/dev/null || true
  if [ -n "${XVFB_PID:-}" ]; then kill "$XVFB_PID" 2>/dev/null || true; fi
}

# What a benchmark or a screenshot script needs before it starts a program:
# a display, the tests' prefix and a running server, all ended at exit.
wine_session() {
  trap stop_wine_and_display EXIT
  ensure_display && wine_prefix_ready && start_wine_server
}

# ---- A program under test ----
LAUNCHED_PID=""

# launch DIR PROGRAM [ARGS...]: starts PROGRAM under Wine in the
# background from DIR (the programs find their files in their current
# folder); its process in LAUNCHED_PID. Redirect the call to silence it.
launch() {
  local dir="$1"
  shift
  (cd "$dir" && exec "$REPO_ROOT/scripts/wine-exec" "$@") &
  LAUNCHED_PID=$!
}

# until_true SECONDS COMMAND...: runs COMMAND every POLL_MS milliseconds (100
# unless set) until it succeeds; fails when SECONDS have passed without.
until_true() {
  local ms="${POLL_MS:-100}" step tries i
  printf -v step '%d.%03d' $((ms / 1000)) $((ms % 1000))
  tries=$(($1 * 1000 / ms))
  shift
  for ((i = 0; i < tries; i++)); do
    "$@" && return 0
    sleep "$step"
  done
  return 1
}

# wait_window SECONDS SEARCH...: waits for a window that `xdotool search
# SEARCH...` finds (by --name, --classname, --onlyvisible...) and prints the
# first one's id.
wait_window() {
  local seconds="$1"
  shift
  until_true "$seconds" window_found "$@"
}
window_found() {
  local w
  w="$(xdotool search "$@" 2>/dev/null | head -1 || true)"
  [ -n "$w" ] && echo "$w"
}
no_window() { ! xdotool search "$@" >/dev/null 2>&1; }

# screenshot FILE [GEOMETRY]: the X screen, or that part of it, as a picture.
screenshot() {
  if [ -n "${2:-}" ]; then
    import -window root -crop "$2" +repage "$1"
  else
    import -window root "$1"
  fi
}

# wait_exit SECONDS: waits that long for the program to end; sets
# LAUNCHED_CODE to its exit code (empty when it still runs).
wait_exit() {
  LAUNCHED_CODE=""
  until_true "$1" launched_ended || return 1
  LAUNCHED_CODE=0
  wait "$LAUNCHED_PID" || LAUNCHED_CODE=$?
  LAUNCHED_PID=""
}
launched_ended() { ! kill -0 "$LAUNCHED_PID" 2>/dev/null; }

# stop_launched: ends the program if it still runs.
stop_launched() {
  if [ -n "$LAUNCHED_PID" ]; then
    kill "$LAUNCHED_PID" 2>/dev/null || true
    wait "$LAUNCHED_PID" 2>/dev/null || true
    LAUNCHED_PID=""
  fi
}
