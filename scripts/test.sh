#!/usr/bin/env bash
# Builds and runs every test: the native model tests (under AddressSanitizer
# and UndefinedBehaviorSanitizer) and the formatting check, then the Windows
# programs and their tests under Wine on an X display (Xvfb when none is set).
# Ends with one summary line over both runs, counted from ctest's JUnit
# reports.
set -uo pipefail
REPO_ROOT="$(cd "$(dirname "$0")/.." && pwd)"
cd "$REPO_ROOT" || exit 1

"$REPO_ROOT/scripts/bootstrap.sh" || exit 1
# The tests run under the caller's locale (CI: ru_RU.UTF-8); the checks that
# read a tool's output set LC_ALL=C for it themselves.
echo "locale: LANG=${LANG:-} LC_ALL=${LC_ALL:-} LC_MESSAGES=${LC_MESSAGES:-}"

# shellcheck source=wine-env.sh
. "$REPO_ROOT/scripts/wine-env.sh"
trap stop_wine_and_display EXIT

# DESK_BUILD_ROOT lets several checkouts or developers share one machine:
# each gets its own build folders (and, through PROJECT_WINEPREFIX, its own
# Wine prefix and wineserver).
B="${DESK_BUILD_ROOT:-$REPO_ROOT/build}"
logdir="$B/logs"
mkdir -p "$logdir"

passed=0
failed=0
status=0
# run_tests PRESET: configures and builds the preset's folder, runs its tests
# (ctest's own options are the test preset's) and adds them to the counts.
# The log keeps everything; the screen shows what is not a passing test.
run_tests() {
  local preset="$1" dir="$B/$1" junit="$logdir/$1-junit.xml"
  if ! { cmake --preset "$preset" -B "$dir" >"$logdir/$preset-configure.log" 2>&1 &&
         cmake --build "$dir" -j2 >"$logdir/$preset-build.log" 2>&1; }; then
    echo "$preset build failed:"; tail -40 "$logdir/$preset-build.log" "$logdir/$preset-configure.log"
    status=1
    return
  fi
  if [ "$preset" = mingw ]; then
    ensure_display || status=1
    wine_prefix_ready || status=1
    start_wine_server
  fi
  rm -f "$junit"
  ctest --preset "$preset" --test-dir "$dir" --output-junit "$junit" 2>&1 | tee "$logdir/$preset-test.log" |
    grep -avE '^ *[0-9]+/[0-9]+ Test +#[0-9]+: .* Passed|^ +Start +[0-9]+: ' || true
  # The counts of ctest's own closing line, from the report: a disabled test
  # is not counted; one that ran and passed, or that ctest skipped on purpose
  # (SKIP_RETURN_CODE), passed; every other one (failed, timed out, could not
  # start) failed. No report counts as a failure.
  local counts
  counts=$(python3 - "$junit" <<'PY'
import sys, xml.etree.ElementTree as ET
def passed(case):
    skipped = case.find("skipped")
    return case.get("status") == "run" or (case.get("status") == "notrun" and skipped is not None
                                           and skipped.get("message", "").startswith("SKIP_"))
cases = [c for c in ET.parse(sys.argv[1]).iter("testcase") if c.get("status") != "disabled"]
ok = sum(map(passed, cases))
print(ok, len(cases) - ok)
PY
  ) || { echo "no test report $junit"; status=1; return; }
  read -r p f <<<"$counts"
  passed=$((passed + p))
  failed=$((failed + f))
}

echo "== native models under the sanitizers =="
run_tests host
echo "== Windows programs and tests under Wine =="
run_tests mingw

[ "$failed" -eq 0 ] || status=1
echo
echo "total: $passed passed, $failed failed"
exit $status
