#!/usr/bin/env bash
# Idle cost of the clock: Zentick.exe under Wine for a minute next to
# `xclock -update 1` on the same display, and the CPU time each process used.
#   bench/idle_cpu.sh [path/to/Zentick.exe]
#   IDLE_SECONDS  how long to measure (default 60)
#   IDLE_SETTLE   seconds given to Zentick.exe to start before xclock starts and
#                 the measure begins (default 5)
# The exe runs from a fresh application folder (its Skins\ copied beside it),
# in a Wine prefix of its own (build/wineprefix-bench unless ZENTICK_WINEPREFIX).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${IDLE_SECONDS:-60}"
settle="${IDLE_SETTLE:-5}"

# utime + stime of a process, in clock ticks.
cpu_ticks() {
  local stat
  stat="$(cat "/proc/$1/stat")" || return 1
  # Fields after the command name, which may hold spaces: state is the 1st, utime the 12th.
  echo "${stat##*) }" | awk '{ print $12 + $13 }'
}

# The wineserver of this prefix: it works in a directory named after the
# prefix's device and inode.
prefix_server() {
  local name pid
  name="server-$(stat -c %D "$WINEPREFIX")-$(printf '%x' "$(stat -c %i "$WINEPREFIX")")"
  for pid in $(pgrep -x 'wineserver(64)?'); do
    if [ "$(basename "$(readlink "/proc/$pid/cwd" 2>/dev/null)")" = "$name" ]; then
      echo "$pid"
      return
    fi
  done
}

seconds_of() { awk -v t="$1" -v hz="$(getconf CLK_TCK)" 'BEGIN { printf "%.2f", t / hz }'; }

if [ "${1:-}" = "--inside" ]; then
  exe="$2"
  app="$(mktemp -d "${TMPDIR:-/tmp}/zentick-idle.XXXXXX")"
  cp "$exe" "$app/Zentick.exe"
  cp -r "$(dirname "$exe")/Skins" "$app/Skins"
  zpid="" xpid=""
  # shellcheck disable=SC2317  # run by the trap
  stop() {
    if [ -n "$xpid" ]; then kill "$xpid" 2>/dev/null || true; fi
    if [ -n "$zpid" ]; then kill "$zpid" 2>/dev/null || true; fi
    wait 2>/dev/null || true
    rm -rf "$app"
  }
  trap stop EXIT
  "$WINELOADER" "$app/Zentick.exe" >"$app/wine.log" 2>&1 </dev/null &
  zpid=$!
  sleep "$settle"
  # Mapped after Wine's desktop window has settled, so it shows above it.
  xclock -update 1 -geometry 164x164+600+200 >/dev/null 2>&1 </dev/null &
  xpid=$!
  sleep 1
  # The loader becomes the Windows process itself, under the same id.
  if ! tr '\0' ' ' <"/proc/$zpid/cmdline" | grep -q 'Zentick.exe'; then
    echo "process $zpid is not Zentick.exe: $(tr '\0' ' ' <"/proc/$zpid/cmdline")" >&2
    exit 1
  fi
  server="$(prefix_server)"
  z0="$(cpu_ticks "$zpid")" x0="$(cpu_ticks "$xpid")"
  s0="$( [ -n "$server" ] && cpu_ticks "$server" || echo 0)"
  sleep "$seconds"
  z1="$(cpu_ticks "$zpid")" || { echo "Zentick.exe ended during the run" >&2; exit 1; }
  x1="$(cpu_ticks "$xpid")" || { echo "xclock ended during the run" >&2; exit 1; }
  s1="$( [ -n "$server" ] && cpu_ticks "$server" || echo 0)"
  echo "CPU time over ${seconds} s of idle running (start-up left out):"
  printf '  %-28s %8s s   (%s s with start-up)\n' "Zentick.exe (pid $zpid)" \
    "$(seconds_of $((z1 - z0)))" "$(seconds_of "$z1")"
  printf '  %-28s %8s s   (%s s with start-up)\n' "xclock -update 1 (pid $xpid)" \
    "$(seconds_of $((x1 - x0)))" "$(seconds_of "$x1")"
  [ -n "$server" ] && printf '  %-28s %8s s   (serves every Wine process of the prefix)\n' \
    "wineserver (pid $server)" "$(seconds_of $((s1 - s0)))"
  exit 0
fi

exe="${1:-$root/build/windows/app/Zentick.exe}"
if [ ! -f "$exe" ]; then
  echo "no $exe: build the windows preset first, or name the exe" >&2
  exit 1
fi
exe="$(cd "$(dirname "$exe")" && pwd)/$(basename "$exe")"
export ZENTICK_WINEPREFIX="${ZENTICK_WINEPREFIX:-$root/build/wineprefix-bench}"
"$root/scripts/with-wine.sh" "$root/bench/idle_cpu.sh" --inside "$exe"
