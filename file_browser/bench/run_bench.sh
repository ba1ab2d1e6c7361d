#!/usr/bin/env bash
# Benchmark by hand (not part of ctest): a folder of COUNT empty files
# (100,000 by default) under /tmp, opened, left and opened again in the
# browser's real window under Wine. Prints the times.
#
#   file_browser/bench/run_bench.sh path/to/browser_bench.exe [COUNT [--compare]]
set -euo pipefail
# Tools print their figures and messages untranslated (Wine itself gets the
# Russian locale from wine-exec and wine-env.sh).
export LC_ALL=C
bench="$(realpath "$1")"
count="${2:-100000}"
root="$(cd "$(dirname "$0")/../.." && pwd)"
# shellcheck source=/dev/null
. "$root/scripts/wine-env.sh"
ensure_display
wine_prefix_ready
start_wine_server

work="$(mktemp -d /tmp/dirvik-bench-XXXXXX)"
trap 'rm -rf "$work"' EXIT
mkdir "$work/big"
python3 - "$work/big" "$count" <<'PY'
import os, sys
folder, count = sys.argv[1], int(sys.argv[2])
for i in range(count):
    open(os.path.join(folder, "file%06d.txt" % i), "w").close()
PY
echo "folder: $work/big with $count empty files"
"$root/scripts/wine-exec" "$bench" "z:$(echo "$work" | sed 's#/#\\#g')" ${3:-}
