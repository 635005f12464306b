#!/usr/bin/env bash
# House rules a grep can see: <windows.h> only in the Win32 layer, and the
# tree formatted by .clang-format.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
status=0
leaks=$(git ls-files -co --exclude-standard '*.cpp' '*.h' \
  | grep -v -E '^(platform/win32|tests/win32)/|^app/[^/]*main[^/]*\.cpp$' \
  | xargs -r grep -l -E '#\s*include\s*<windows\.h>|\b_WIN32\b|\bHWND\b' || true)
if [ -n "$leaks" ]; then
  echo "Win32 outside platform/win32/: $leaks"
  status=1
fi
unformatted=$(git ls-files -co --exclude-standard '*.cpp' '*.h' \
  | xargs -r clang-format --dry-run 2>&1 | grep -o '^[^:]*\.\(cpp\|h\)' | sort -u || true)
if [ -n "$unformatted" ]; then
  echo "Not formatted by .clang-format (run clang-format -i): $unformatted"
  status=1
fi
[ $status -eq 0 ] && echo "house rules: ok"
exit $status
