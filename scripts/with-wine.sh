#!/usr/bin/env bash
# Runs a command with a private Wine prefix and, unless a display is given,
# a private Xvfb display; stops both afterwards.
#   ZENTICK_WINEPREFIX  the prefix to use (default build/wineprefix)
#   ZENTICK_DISPLAY     an X display to use instead of starting Xvfb
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

export WINEPREFIX="${ZENTICK_WINEPREFIX:-$root/build/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe="
export LANG=C.UTF-8
export WINELOADER=/usr/lib/wine/wine64
mkdir -p "$WINEPREFIX"
export HOME="${ZENTICK_WINEHOME:-$(dirname "$WINEPREFIX")/wine-home}"
mkdir -p "$HOME"
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver

xvfb_pid=""
cleanup() {
  "$wineserver" -k >/dev/null 2>&1 || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

if [ -n "${ZENTICK_DISPLAY:-}" ]; then
  export DISPLAY="$ZENTICK_DISPLAY"
else
  for n in $(seq 90 140); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || { dpy=$n; break; }
  done
  Xvfb ":$dpy" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=":$dpy"
  for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$dpy" ] && break; sleep 0.05; done
fi

# A persistent server saves every later Wine process its start-up.
"$wineserver" -p || true
if [ ! -f "$WINEPREFIX/.zentick-ready" ]; then
  "$wine" wineboot -i >/dev/null 2>&1
  # Chinese text needs a font with the glyphs under the names the program asks for.
  for face in 宋体 SimSun NSimSun 新宋体 "Microsoft YaHei" 微软雅黑 "MS Sans Serif" "MS Shell Dlg" Tahoma GungsuhChe; do
    "$wine" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /t REG_SZ \
      /d "WenQuanYi Micro Hei" /f >/dev/null 2>&1
  done
  touch "$WINEPREFIX/.zentick-ready"
fi
if [ -z "${ZENTICK_DISPLAY:-}" ]; then
  # On a bare Xvfb there is no window manager, and Wine waits two seconds for
  # one at every hide; its virtual desktop manages the windows itself and also
  # gives a taskbar with a notification area.
  "$wine" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /t REG_SZ /d Default /f >/dev/null 2>&1
  "$wine" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /t REG_SZ /d 1280x800 /f >/dev/null 2>&1
else
  "$wine" reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f >/dev/null 2>&1 || true
fi
# The desktop's kind is read when Wine's first window process starts, which
# may already have happened above: start the session anew with the setting.
"$wineserver" -k >/dev/null 2>&1 || true
"$wineserver" -w || true
"$wineserver" -p

# Start Wine's background services now, with their output in a file: started
# later, they would inherit the pipes of whatever reads a test's output, and
# that reader would then wait for them forever.
"$wine" wineboot >"$HOME/wineboot.log" 2>&1 </dev/null
"$@"
