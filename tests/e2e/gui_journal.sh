#!/usr/bin/env bash
# Vantorix.exe under Wine on its own Xvfb display: resting the pointer on a card's title shows the
# "Что изменится:" tooltip (its box with the neutral accent bar below the title line), a card's
# apply lands in the change journal, Home's "Журнал изменений" tile opens the journal page, and the
# run's "Вернуть как было" puts the user's own earlier value back (not the Windows default a revert
# writes), with a green status line. Screenshots in build/test-results/gui-journal/.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
source "$E2E_ROOT/scripts/wine_env.sh"
shots="$E2E_ROOT/build/test-results/gui-journal"
rm -rf "$shots"; mkdir -p "$shots"
exe="$BUILD_DIR/Vantorix.exe"
px() { python3 "$E2E_ROOT/tests/e2e/gui_pixels.py" "$@"; }

source "$E2E_ROOT/scripts/xvfb_display.sh"
xvfb_start
APP_PID=
trap gui_session_end EXIT
wine_prefix_create "$E2E_ROOT/build/e2e-gui-journal-prefix"
wine_font_replacements

margin=14
window=
start_window() {  # starts the program and waits for its first painted frame
  wine "$exe" >/dev/null 2>&1 &
  APP_PID=$!
  for _ in $(seq 120); do
    window=$(xdotool search --name '^Vantorix$' 2>/dev/null | head -n 1)
    [ -n "$window" ] && break
    sleep 0.5
  done
  [ -n "$window" ] || return 1
  for _ in $(seq 60); do
    import -window root "$shots/start.png"
    read -r ox oy < <(px "$shots/start.png" origin "$margin")
    [ "$ox" -ge 0 ] && break
    sleep 0.5
  done
  [ "$ox" -ge 0 ] || return 1
  client_w=$(px "$shots/start.png" width "$ox" "$oy" "$margin")
  client_h=$(xdotool getwindowgeometry "$window" | awk '/Geometry/ { split($2, s, "x"); print s[2] }')
}
shot() { import -window root "$shots/$1.png"; echo "$shots/$1.png"; }
click() { xdotool mousemove --window "$window" "$1" "$2" click 1; }
colour_is() {  # SHOT X Y R G B: the pixel has that colour (within 6 per channel)
  local r g b d
  read -r r g b < <(px "$1" pixel "$ox" "$oy" "$2" "$3")
  for d in $((r - $4)) $((g - $5)) $((b - $6)); do
    [ "${d#-}" -le 6 ] || { echo "($2,$3) is $r $g $b, not $4 $5 $6"; return 1; }
  done
}
status_has() {  # SHOT R G B: the status line shows text of that colour
  local n
  n=$(px "$1" count "$ox" "$oy" 248 $((client_h - 34)) $((client_w - margin)) $((client_h - margin)) "$2" "$3" "$4" 24)
  [ "$n" -ge 10 ] || { echo "status line has $n pixels of $2 $3 $4"; return 1; }
}
sidebar_row_y() { echo $((148 + 42 + 44 * $1 + 20)); }
maps_value() { reg_dword 'HKLM\SYSTEM\Maps' AutoUpdateEnabled; }

# The user's own setting before Vantorix touches it: a revert would delete it, a restore keeps it.
wine reg add 'HKLM\SYSTEM\Maps' /v AutoUpdateEnabled /t REG_DWORD /d 1 /f >/dev/null 2>&1
check "the user's own AutoUpdateEnabled = 1 is set" test "$(maps_value)" = "0x1"
# The tooltip and the restore need the tweak to say what it writes (Tweak::changes()).
check "the card's tweak describes its value (vxctl show names AutoUpdateEnabled)" \
  eval "vx show sys.maps_no_autoupdate 2>&1 | grep -q AutoUpdateEnabled"

start_window; started=$?
check "window appears and paints" test "$started" -eq 0
[ "$started" -eq 0 ] || e2e_finish

# System page, first card "Автообновление офлайн-карт": its title line runs from x 310 at y 258..280.
click 100 "$(sidebar_row_y 6)"
sleep 2.5
title_x=400; title_y=262
xdotool mousemove --window "$window" "$title_x" "$title_y"
sleep 0.2
early=$(shot title-hover-early)
sleep 1.3
hovered=$(shot title-tooltip)
# The box starts 16 right of the pointer and below the title line; its neutral bar is 3 px wide at
# its left edge, from 8 below its top.
box_left=$((title_x + 16))
bar_top=$(px "$hovered" down "$ox" "$oy" $((box_left + 1)) 282 420 155 155 175)
check "title tooltip: not there at once (before half a second)" \
  test "$(px "$early" down "$ox" "$oy" $((box_left + 1)) 282 420 155 155 175)" -eq -1
check "title tooltip: its box with the neutral accent bar below the title line (bar at y=$bar_top)" \
  eval "[ $bar_top -gt 282 ] && colour_is $hovered $((box_left + 20)) $((bar_top + 2)) 38 38 52"
lines=$(px "$hovered" rows "$ox" "$oy" $((box_left + 14)) "$bar_top" $((box_left + 350)) $((bar_top + 60)) 245 245 252 40)
check "title tooltip: the heading and a change line are written in it ($lines rows of text)" test "$lines" -ge 18

# Apply the card: journal run #1.
button_x=$((client_w - 14 - 20 - 55))
button_y=$(px "$hovered" down "$ox" "$oy" "$button_x" 244 420 140 110 255)
check "first card's button found" test "$button_y" -gt 244
click "$button_x" $((button_y + 17))
sleep 2.5
check "card apply writes 0" test "$(maps_value)" = "0x0"

# Home: the third utility tile, at the right end, opens the journal page.
click 100 "$(sidebar_row_y 0)"
sleep 1.5
home=$(shot home)
open_x=$((client_w - 14 - 12 - 50))
open_y=$(px "$home" down "$ox" "$oy" "$open_x" 456 $((client_h - 40)) 38 38 52)
check "home: the journal tile's button found ($open_y)" test "$open_y" -gt 456
tile_w=$(((client_w - 248 - 14 - 16) / 3))
check "home: three tiles share the row (the middle one's button at its right end)" \
  colour_is "$home" $((248 + 2 * tile_w + 8 - 12 - 96)) $((open_y + 16)) 38 38 52
click "$open_x" $((open_y + 16))
sleep 2
journal=$(shot journal-page)
# The newest run's card at the top of the list (y 204), its "Вернуть как было" button at the right.
restore_x=$((client_w - 14 - 16 - 85))
check "journal page: the run's card on panel colour" colour_is "$journal" 260 210 26 26 36
check "journal page: its \"Вернуть как было\" button" colour_is "$journal" "$restore_x" 220 38 38 52
check "journal page: the run's heading and its tweak's line are written" \
  test "$(px "$journal" rows "$ox" "$oy" 264 216 $((restore_x - 100)) 260 245 245 252 40)" -ge 8
click "$restore_x" 232
for _ in $(seq 40); do
  restored=$(shot journal-restored)
  status_has "$restored" 72 200 130 >/dev/null || status_has "$restored" 232 84 84 >/dev/null && break
  sleep 0.5
done
check "restore: green status line" status_has "$restored" 72 200 130
check "restore: the user's own 1 is back (a revert would have deleted it)" test "$(maps_value)" = "0x1"
sleep 1
after=$(shot journal-after-restore)
check "journal page: the restore is a run of its own, now at the top (two run cards)" \
  test "$(px "$after" count "$ox" "$oy" $((restore_x - 70)) 204 $((restore_x - 69)) $((client_h - 40)) 38 38 52 4)" -ge 60

click 100 "$(sidebar_row_y 6)"
sleep 2.5
system=$(shot system-after-restore)
check "system page: the card reads not applied again (red dot)" colour_is "$system" 295 267 232 84 84

xdotool key --window "$window" alt+F4
wait "$APP_PID"; exit_code=$?
APP_PID=
check "closing ends the process with code 0 (got $exit_code)" test "$exit_code" -eq 0
check "the journal holds the apply and the restore" \
  eval "grep -q '\"action\":\"apply\"' '$WINEPREFIX/drive_c/ProgramData/Vantorix/journal.jsonl' &&
        grep -q '\"action\":\"restore\"' '$WINEPREFIX/drive_c/ProgramData/Vantorix/journal.jsonl'"
echo "screenshots: $shots"
e2e_finish
