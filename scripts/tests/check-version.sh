#!/usr/bin/env bash
# Every program carries a version resource with the project's version, and
# the README and the changelog name the same version.
set -euo pipefail
export LC_ALL=C
bin="${1:?bin dir}"; version="${2:?version}"; root="${3:?project folder}"; shift 3
status=0
for p in "$@"; do
  exe="$bin/$p.exe"
  # The strings of the VERSIONINFO resource (type 16) are UTF-16.
  text="$(wrestool -x --raw -t 16 "$exe" 2>/dev/null | iconv -f UTF-16LE -t UTF-8 -c | tr -d '\0' || true)"
  for field in "FileVersion" "ProductVersion" "OriginalFilename"; do
    if ! grep -q "$field" <<<"$text"; then echo "$p.exe: no $field in its version resource"; status=1; fi
  done
  grep -q "$version" <<<"$text" || { echo "$p.exe: version $version not in its version resource"; status=1; }
  grep -q "$p.exe" <<<"$text" || { echo "$p.exe: its own name is not in its version resource"; status=1; }
done
grep -q "^Version $version " "$root/README.md" || { echo "README.md does not name version $version"; status=1; }
grep -q "^## $version " "$root/CHANGELOG.md" || { echo "CHANGELOG.md has no entry for $version"; status=1; }
[ "$status" -eq 0 ] && echo "version $version in $# programs, the README and the changelog"
exit $status
