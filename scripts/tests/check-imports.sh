#!/usr/bin/env bash
# Every program imports only DLLs that every Windows installation has, so the
# zip runs on a clean machine with no other files.
set -euo pipefail
export LC_ALL=C
bin="${1:?bin dir}"; shift
allowed='^(kernel32|user32|gdi32|comdlg32|winmm|msvcrt|advapi32|shell32|ole32|comctl32)\.dll$'
objdump=x86_64-w64-mingw32-objdump
status=0
for p in "$@"; do
  exe="$bin/$p.exe"
  [ -f "$exe" ] || { echo "$p.exe missing"; status=1; continue; }
  dlls="$($objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)"
  [ -n "$dlls" ] || { echo "$p.exe: no imports found"; status=1; continue; }
  echo "$p.exe imports: $(echo $dlls)"
  bad="$(echo "$dlls" | grep -vE "$allowed" || true)"
  if [ -n "$bad" ]; then echo "$p.exe needs DLLs a clean Windows lacks: $bad"; status=1; fi
  size=$(stat -c %s "$exe")
  echo "$p.exe size: $size bytes"
done
exit $status
