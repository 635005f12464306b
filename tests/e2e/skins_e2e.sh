#!/usr/bin/env bash
# Every shipped skin, named in Zentick.ini: the face on screen has the skin's
# size and pixels at the stored place, with the hands centred on its pivot.
. "$(dirname "$0")/lib.sh"

left=300
top=120
make_app
start_desktop
before=$(shot before)
count=0
for png in "$E2E_SKINS"/*.png; do
  name=$(basename "$png")
  step "$name"
  write_ini "MainForm/Left=$left" "MainForm/Top=$top" "Options/BmpFilename=$name"
  start_zentick
  box=$(wait_face "$before")
  after=$(shot "${name%.*}")
  expect_skin_at "$name" "$before" "$after" "$box" "$APP/Skins/$name" "$left" "$top"
  echo "$name: screenshot $after"
  stop_and_clear "$before"
  count=$((count + 1))
done
[ "$count" -gt 0 ] || fail "no skins in $E2E_SKINS"
echo "PASS ($count skins)"
