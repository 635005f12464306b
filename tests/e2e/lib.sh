# Shared by the end-to-end scripts: a fresh application folder, Zentick.exe
# started and stopped under Wine, screenshots, mouse and Zentick.ini.
# Sourced as `. lib.sh <path of Zentick.exe> <Skins folder>` inside
# scripts/with-wine.sh, which provides DISPLAY, WINEPREFIX and a running wineserver.
set -euo pipefail

[ $# -ge 2 ] || { echo "usage: $0 <Zentick.exe> <Skins folder>" >&2; exit 2; }
E2E_EXE="$(realpath "$1")"
E2E_SKINS="$(realpath "$2")"
[ -f "$E2E_EXE" ] || { echo "no Zentick.exe at $E2E_EXE" >&2; exit 2; }
[ -n "${DISPLAY:-}" ] && [ -n "${WINEPREFIX:-}" ] ||
  { echo "run inside scripts/with-wine.sh (DISPLAY and WINEPREFIX unset)" >&2; exit 2; }

E2E_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
E2E_NAME="$(basename "$0" .sh)"
WINE=/usr/lib/wine/wine64
WORK="$(mktemp -d "${TMPDIR:-/tmp}/zentick-e2e.XXXXXX")"
APP="$WORK/app"
# CTest runs in the build tree, so the pictures stay there for a look afterwards.
SHOTS="$PWD/e2e-shots/$E2E_NAME"
rm -rf "$SHOTS"
mkdir -p "$SHOTS"
ZENTICK_PID=""
DESKTOP_PID=""

pixels() { python3 "$E2E_DIR/pixels.py" "$@"; }

fail() {
  echo "FAIL ($E2E_NAME): $*" >&2
  [ -s "$WORK/zentick.log" ] && { echo "--- Wine output:" >&2; tail -20 "$WORK/zentick.log" >&2; }
  exit 1
}

step() { echo "== $*"; }

# Waits up to $1 seconds for the command after it to succeed.
wait_for() {
  local limit=$1
  shift
  local end=$((SECONDS + limit))
  until "$@"; do
    [ $SECONDS -lt $end ] || return 1
    sleep 0.25
  done
}

alive() { [ -n "$1" ] && kill -0 "$1" 2>/dev/null; }

stop_pid() {
  local pid=$1
  alive "$pid" || return 0
  kill "$pid" 2>/dev/null || true
  for _ in $(seq 40); do alive "$pid" || break; sleep 0.1; done
  alive "$pid" && kill -9 "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}

stop_zentick() {
  stop_pid "$ZENTICK_PID"
  ZENTICK_PID=""
}

cleanup() {
  stop_zentick
  stop_pid "$DESKTOP_PID"
  rm -rf "$WORK"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

# A fresh application folder: Zentick.exe with Skins\ beside it, no settings file.
make_app() {
  local skins=${1:-$E2E_SKINS}
  rm -rf "$APP"
  mkdir -p "$APP"
  cp "$E2E_EXE" "$APP/Zentick.exe"
  cp -r "$skins" "$APP/Skins"
}

# Writes Zentick.ini from "Section/Key=Value" arguments, as Windows would (CRLF).
write_ini() {
  local section="" arg
  : >"$APP/Zentick.ini"
  for arg in "$@"; do
    if [ "${arg%%/*}" != "$section" ]; then
      section=${arg%%/*}
      printf '[%s]\r\n' "$section" >>"$APP/Zentick.ini"
    fi
    printf '%s\r\n' "${arg#*/}" >>"$APP/Zentick.ini"
  done
}

# Prints the value of Section/Key from the application's Zentick.ini (empty if absent).
ini_value() {
  local section=${1%%/*} key=${1#*/}
  [ -f "$APP/Zentick.ini" ] || return 0
  tr -d '\r' <"$APP/Zentick.ini" | awk -v s="[$section]" -v k="$key" '
    /^\[/ { in_s = ($0 == s); next }
    in_s && index($0, k "=") == 1 { print substr($0, length(k) + 2); exit }'
}

# Saves a screenshot as $SHOTS/$1.png and prints its path.
shot() {
  local path="$SHOTS/$1.png"
  import -silent -window root "$path"
  echo "$path"
}

centre_pixel() { import -silent -window root -crop 1x1+640+400 -depth 8 txt:- 2>/dev/null; }
desktop_painted() { ! centre_pixel | grep -q '#000000'; }

# Wine's virtual desktop, up before the clock so that a "before" picture exists.
start_desktop() {
  "$WINE" explorer /desktop=Default,1280x800 >"$WORK/desktop.log" 2>&1 &
  DESKTOP_PID=$!
  wait_for 60 desktop_painted ||
    fail "Wine's virtual desktop did not appear within 60 s ($(shot no-desktop))"
}

# Starts the application folder's Zentick.exe; extra arguments are environment settings.
start_zentick() {
  env "$@" "$WINE" "$APP/Zentick.exe" >"$WORK/zentick.log" 2>&1 &
  ZENTICK_PID=$!
}

# The screenshot $3, over the picture $2 taken before the clock started, shows
# the skin $5 at ($6, $7) with its hands, in the face box $4; $1 names the check.
expect_skin_at() {
  local what=$1 before=$2 after=$3 box=$4 skin=$5 left=$6 top=$7 vx vy vw vh
  read -r _ _ vx vy vw vh _ _ _ _ <<<"$(pixels skin "$skin")"
  expect_eq "$what: face box (left top width height) in $after" \
    "$((left + vx)) $((top + vy)) $vw $vh" "$box"
  pixels check-face "$after" "$before" "$skin" "$left" "$top" ||
    fail "$what: the face in $after is not $(basename "$skin") at ($left, $top) with its hands"
}

# Waits until a face has appeared compared with the picture $1 and stands
# still (the same box twice in a row); prints "left top width height".
wait_face() {
  local before=$1 box="" last="" probe="$WORK/probe.png"
  local end=$((SECONDS + 40))
  while [ $SECONDS -lt $end ]; do
    alive "$ZENTICK_PID" || fail "Zentick.exe ended during start-up"
    import -silent -window root "$probe"
    box=$(pixels face-box "$before" "$probe" 2>/dev/null) || box=""
    [ -n "$box" ] && [ "$box" = "$last" ] && { echo "$box"; return 0; }
    last=$box
    sleep 0.3
  done
  fail "no clock face appeared within 40 s (last box '${box}', $(shot no-face))"
}

screen_is() {
  import -silent -window root "$WORK/probe.png"
  ! pixels face-box "$1" "$WORK/probe.png" >/dev/null 2>&1
}

# Stops Zentick.exe and waits until the screen shows the picture $1 again.
stop_and_clear() {
  stop_zentick
  wait_for 10 screen_is "$1" ||
    fail "the clock stayed on screen after Zentick.exe ended ($(shot not-cleared))"
}

# Moves the mouse in steps from ($1, $2) by ($3, $4) with the left button held.
drag() {
  local x=$1 y=$2 dx=$3 dy=$4 i
  xdotool mousemove "$x" "$y"
  sleep 0.1
  xdotool mousedown 1
  sleep 0.1
  for i in 1 2 3 4 5 6 7 8 9 10; do
    xdotool mousemove $((x + dx * i / 10)) $((y + dy * i / 10))
    sleep 0.05
  done
  sleep 0.1
  xdotool mouseup 1
  sleep 0.3
}

expect_eq() {
  local what=$1 expected=$2 seen=$3
  [ "$expected" = "$seen" ] || fail "$what: expected '$expected', seen '$seen'"
}
