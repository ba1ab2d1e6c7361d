#!/usr/bin/env bash
# Builds and runs every test: the native model tests (under AddressSanitizer
# and UndefinedBehaviorSanitizer) and the formatting check, then the Windows
# programs and their tests under Wine on an X display (Xvfb when none is set).
# Ends with one summary line over both runs.
set -uo pipefail
REPO_ROOT="$(cd "$(dirname "$0")/.." && pwd)"
cd "$REPO_ROOT"

"$REPO_ROOT/scripts/bootstrap.sh" || exit 1
# The tests run under the caller's locale (CI: ru_RU.UTF-8); the checks that
# read a tool's output set LC_ALL=C for it themselves.
echo "locale: LANG=${LANG:-} LC_ALL=${LC_ALL:-} LC_MESSAGES=${LC_MESSAGES:-}"

# shellcheck source=wine-env.sh
. "$REPO_ROOT/scripts/wine-env.sh"
trap stop_wine_and_display EXIT

passed=0
failed=0
status=0
count() { # reads ctest's closing line out of a log
  local line
  line=$(grep -aE '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$1" | tail -1)
  if [ -z "$line" ]; then
    status=1
    return
  fi
  local f total
  f=$(echo "$line" | sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/')
  total=$(echo "$line" | sed -E 's/.* failed out of ([0-9]+).*/\1/')
  failed=$((failed + f))
  passed=$((passed + total - f))
}

# DESK_BUILD_ROOT lets several checkouts or developers share one machine:
# each gets its own build folders (and, through PROJECT_WINEPREFIX, its own
# Wine prefix and wineserver).
B="${DESK_BUILD_ROOT:-$REPO_ROOT/build}"
logdir="$B/logs"
mkdir -p "$logdir"

echo "== native models under the sanitizers =="
if cmake --preset host -B "$B/host" >"$logdir/host-configure.log" 2>&1 &&
   cmake --build "$B/host" -j2 >"$logdir/host-build.log" 2>&1; then
  ctest --test-dir "$B/host" --output-on-failure -j2 --timeout 600 2>&1 | tee "$logdir/host-test.log" | grep -avE '^ *[0-9]+/[0-9]+ Test +#[0-9]+: .* Passed|^ +Start +[0-9]+: ' || true
  count "$logdir/host-test.log"
else
  echo "host build failed:"; tail -40 "$logdir/host-build.log" "$logdir/host-configure.log"
  status=1
fi

echo "== Windows programs and tests under Wine =="
if cmake --preset mingw -B "$B/mingw" >"$logdir/mingw-configure.log" 2>&1 &&
   cmake --build "$B/mingw" -j2 >"$logdir/mingw-build.log" 2>&1; then
  ensure_display || status=1
  wine_prefix_ready || status=1
  start_wine_server
  ctest --test-dir "$B/mingw" --output-on-failure --timeout 300 2>&1 | tee "$logdir/mingw-test.log" | grep -avE '^ *[0-9]+/[0-9]+ Test +#[0-9]+: .* Passed|^ +Start +[0-9]+: ' || true
  count "$logdir/mingw-test.log"
else
  echo "mingw build failed:"; tail -40 "$logdir/mingw-build.log" "$logdir/mingw-configure.log"
  status=1
fi

[ "$failed" -eq 0 ] || status=1
echo
echo "total: $passed passed, $failed failed"
exit $status
