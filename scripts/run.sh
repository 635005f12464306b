#!/usr/bin/env bash
# Builds Zentick.exe and starts it: natively on Windows (see README), here under
# Wine with a prefix of its own. With a display, the clock runs on it until you
# quit it; without one, it runs on a virtual display and a screenshot is written.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
"$root/scripts/install-deps.sh"
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$(nproc)" --target Zentick
app="$root/build/windows/app"
export ZENTICK_WINEPREFIX="$root/build/wineprefix-run"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  echo "Starting Zentick on $DISPLAY (settings in $app/Zentick.ini; quit from its menu)"
  ZENTICK_DISPLAY="$DISPLAY" "$root/scripts/with-wine.sh" /usr/lib/wine/wine64 "$app/Zentick.exe"
else
  shot="$root/build/screenshot.png"
  cat >"$root/build/run-headless.sh" <<INNER
/usr/lib/wine/wine64 "$app/Zentick.exe" >"$root/build/zentick-run.log" 2>&1 &
sleep "\${ZENTICK_SHOT_DELAY:-5}"
import -window root "$shot"
INNER
  "$root/scripts/with-wine.sh" bash "$root/build/run-headless.sh"
  echo "No display: Zentick ran on a virtual one. Screenshot of the running clock: $shot"
fi
