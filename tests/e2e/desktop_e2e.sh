#!/usr/bin/env bash
# The clock on the desktop, driven like a user: drag, context menu, spoken
# time, click-through with the tray icon's menu, the hot key, and exit.
. "$(dirname "$0")/lib.sh"

skin="$E2E_SKINS/Default.png"
read -r _ _ vis_x vis_y vis_w vis_h _ _ grab_x grab_y <<<"$(pixels skin "$skin")"
face_box_at() { echo "$(($1 + vis_x)) $(($2 + vis_y)) $vis_w $vis_h"; }

# The face (and its hands) stands at ($1, $2) and nowhere else.
expect_face_at() {
  local left=$1 top=$2 what=$3 after box
  after=$(shot "$what")
  box=$(pixels face-box "$before" "$after")
  expect_skin_at "$what" "$before" "$after" "$box" "$skin" "$left" "$top"
}

# Right-clicks at ($1, $2) and waits for the menu with its 9 caption rows; prints
# what `pixels menu` finds: its box, then each row's centre y ("+" when ticked).
open_menu() {
  local x=$1 y=$2 name=$3 found="" probe
  local -a fields=()
  xdotool mousemove "$x" "$y" click 3
  for _ in $(seq 12); do
    sleep 0.25
    probe=$(shot "$name")
    found=$(pixels menu "$probe" 2>/dev/null) || found=""
    read -r -a fields <<<"$found"
    [ ${#fields[@]} -eq 13 ] && { echo "$found"; return 0; }
  done
  [ -n "$found" ] || fail "no menu opened by a right-click at ($x, $y) ($probe)"
  fail "the menu in $probe shows $((${#fields[@]} - 4)) caption rows, expected 9 ($found)"
}

# Clicks caption row $2 (1-based) of the menu described by $1.
choose() {
  local -a m
  read -r -a m <<<"$1"
  xdotool mousemove $((m[0] + 40)) "${m[$((3 + $2))]%+}" click 1
}

menu_closed() { pixels no-menu "$(shot "$1")" >/dev/null; }
ini_is() { [ "$(ini_value "$1")" = "$2" ]; }
expect_ini() {
  wait_for 3 ini_is "$1" "$2" || fail "Zentick.ini: $1 expected '$2', seen '$(ini_value "$1")'"
}
captures() { find "$WORK/capture" -type f | wc -l; }

make_app
# No periodic announcement (a period of 0), so every clip captured comes from the menu.
write_ini "Options/Givetime=7"
mkdir -p "$WORK/home" "$WORK/capture"
# Wine's sound goes to files instead, one per sound started.
printf 'pcm.!default { type file slave.pcm "null" file "%s" format "wav" truncate false }\n' \
  "$WORK/capture/cap_%r_%c_%b.wav" >"$WORK/home/.asoundrc"
start_desktop
before=$(shot before)
start_zentick HOME="$WORK/home"
box=$(wait_face "$before")
expect_eq "face box at start-up" "$(face_box_at 200 200)" "$box"

step "drag the face by (250, 130)"
drag $((200 + grab_x)) $((200 + grab_y)) 250 130
expect_face_at 450 330 dragged
expect_ini MainForm/Left 450
expect_ini MainForm/Top 330
echo "face and hands at (450, 330), Zentick.ini too"

step "right-click: the menu at the cursor; Escape closes it"
cx=$((450 + grab_x))
cy=$((330 + grab_y))
menu=$(open_menu "$cx" "$cy" menu-face)
read -r mx my _ <<<"$menu"
[[ "$menu" != *+* ]] ||
  fail "a mode is ticked in the menu of a fresh start ($SHOTS/menu-face.png: $menu)"
[ $(((mx - cx) ** 2 + (my - cy) ** 2)) -le 8 ] ||
  fail "menu's top-left corner at ($mx, $my), expected at the cursor ($cx, $cy)" \
    "($SHOTS/menu-face.png)"
echo "menu $menu, screenshot $SHOTS/menu-face.png"
xdotool key Escape
wait_for 3 menu_closed escaped || fail "Escape left the menu open ($SHOTS/escaped.png)"
expect_ini MainForm/Left 450

step "speak the time (4th item): its clips are played"
menu=$(open_menu "$cx" "$cy" menu-speak)
minute_before=$((10#$(date +%M)))
choose "$menu" 4
minute_after=$((10#$(date +%M)))
# Four clips on the hour, six on a round ten minutes, seven otherwise.
clips_for() {
  if [ "$1" -eq 0 ]; then echo 4; elif [ $(($1 % 10)) -eq 0 ]; then echo 6; else echo 7; fi
}
want_a=$(clips_for "$minute_before")
want_b=$(clips_for "$minute_after")
enough() { [ "$(captures)" -ge "$want_a" ] || [ "$(captures)" -ge "$want_b" ]; }
wait_for 9 enough ||
  fail "$(captures) clips captured in 9 s after 语音报时, expected $want_a: $(ls "$WORK/capture")"
sleep 1.5  # nothing more may follow
got=$(captures)
[ "$got" -eq "$want_a" ] || [ "$got" -eq "$want_b" ] ||
  fail "$got clips captured, expected $want_a at minute $minute_before: $(ls "$WORK/capture")"
for clip in "$WORK"/capture/*; do
  [ "$(stat -c %s "$clip")" -gt 1000 ] || fail "captured clip $(basename "$clip") holds no sound"
done
echo "$got clips captured at minute $minute_before: $(cd "$WORK/capture" && ls | tr '\n' ' ')"

step "click-through (2nd item): no drag, no menu on the face"
menu=$(open_menu "$cx" "$cy" menu-mouse)
choose "$menu" 2
expect_ini Options/EnableMouse 0
drag "$cx" "$cy" 100 50
expect_face_at 450 330 through-drag
expect_ini MainForm/Left 450
expect_ini MainForm/Top 330
xdotool mousemove "$cx" "$cy" click 3
sleep 1
pixels no-menu "$(shot through-right-click)" >/dev/null ||
  fail "a right-click on the face opened a menu in click-through mode" \
    "($SHOTS/through-right-click.png)"

step "the tray icon's menu turns click-through off"
tray=$(pixels tray "$(shot tray)")
[ "$tray" != none ] || fail "no tray icon at the right end of the taskbar ($SHOTS/tray.png)"
read -r tx ty tw th <<<"$tray"
menu=$(open_menu $((tx + tw / 2)) $((ty + th / 2)) menu-tray)
read -r -a rows <<<"$menu"
[[ "${rows[5]}" == *+ ]] ||
  fail "鼠标穿透 is not ticked in the tray's menu ($SHOTS/menu-tray.png: $menu)"
choose "$menu" 2
expect_ini Options/EnableMouse 1
drag "$cx" "$cy" -100 -50
expect_face_at 350 280 dragged-again
expect_ini MainForm/Left 350
echo "tray icon at $tray; click-through off, the face drags again"

step "Ctrl+Alt+Shift+I twice: the tray icon goes and comes back"
tray_is() { [ "$(pixels tray "$(shot "$2")")" = "$1" ]; }
# The hot key reaches Wine only while one of its windows has the X focus.
xdotool mousemove 640 790 click 1
sleep 0.3
xdotool key ctrl+alt+shift+i
expect_ini Options/TrayIconVisible 0
wait_for 3 tray_is none tray-hidden || fail "the tray icon is still shown ($SHOTS/tray-hidden.png)"
xdotool key ctrl+alt+shift+i
expect_ini Options/TrayIconVisible 1
wait_for 3 tray_is "$tray" tray-back ||
  fail "the tray icon did not come back at $tray ($SHOTS/tray-back.png)"
echo "TrayIconVisible written 0 then 1; the tray icon went and came back"

step "exit (last item) ends the program"
saved=$(cat "$APP/Zentick.ini")
menu=$(open_menu $((350 + grab_x)) $((280 + grab_y)) menu-exit)
choose "$menu" 9
ended() { ! alive "$ZENTICK_PID"; }
wait_for 5 ended || fail "Zentick.exe still runs 5 s after 退出 ($(shot exit))"
wait "$ZENTICK_PID" 2>/dev/null || true
ZENTICK_PID=""
[ "$(cat "$APP/Zentick.ini")" = "$saved" ] || fail "exit changed Zentick.ini"
echo "PASS (screenshots in $SHOTS)"
