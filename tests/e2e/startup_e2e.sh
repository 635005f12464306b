#!/usr/bin/env bash
# Start-up: without a settings file the default face stands at (200, 200), with
# a stored place it stands there, and in both the hands lie over the face.
. "$(dirname "$0")/lib.sh"

skin="Default.png"

# Starts the clock, then checks its face box against the skin's visible area at
# ($2, $3), and the face and hands pixel by pixel.
start_and_check() {
  local name=$1 left=$2 top=$3 box after
  start_zentick
  box=$(wait_face "$before")
  after=$(shot "$name")
  expect_skin_at "$name" "$before" "$after" "$box" "$APP/Skins/$skin" "$left" "$top"
  echo "$name: face at ($left, $top), screenshot $after"
}

step "the build's own folder: Skins\\ beside Zentick.exe, as the run script starts it"
built_skins="$(dirname "$E2E_EXE")/Skins"
for png in "$E2E_SKINS"/*.png; do
  cmp -s "$png" "$built_skins/$(basename "$png")" ||
    fail "$built_skins/$(basename "$png") is missing or differs from $png"
done
make_app "$built_skins"
start_desktop
before=$(shot before)
start_and_check no-settings 200 200
[ ! -e "$APP/Zentick.ini" ] || fail "start-up wrote Zentick.ini: $(tr -d '\r' <"$APP/Zentick.ini")"
stop_and_clear "$before"

step "a stored place"
make_app
write_ini "MainForm/Left=420" "MainForm/Top=150"
start_and_check stored-place 420 150
stop_and_clear "$before"
echo "PASS"
