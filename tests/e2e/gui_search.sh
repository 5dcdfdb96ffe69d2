#!/usr/bin/env bash
# The search box of the window under Wine on its own Xvfb display: a click puts the focus into it,
# "кэш" typed there shows the search page with the cards of every category that match (the Pro
# shader cache and the game shader cache among them, each with its category's name), the Pro
# card's "Применить" applies perf.shader_cache, Ctrl+F and Esc empty the box and the page that was
# open comes back. The screenshots stay in build/test-results/gui-search/.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
source "$E2E_ROOT/scripts/wine_env.sh"
shots="$E2E_ROOT/build/test-results/gui-search"
rm -rf "$shots"; mkdir -p "$shots"
exe="$BUILD_DIR/Vantorix.exe"
px() { python3 "$E2E_ROOT/tests/e2e/gui_pixels.py" "$@"; }

source "$E2E_ROOT/scripts/xvfb_display.sh"
xvfb_start
APP_PID=
trap gui_session_end EXIT
wine_prefix_create "$E2E_ROOT/build/e2e-gui-search-prefix"
wine_font_replacements
wine_server_keep

# The box's Esc handling needs a real EDIT control, which Wine creates only with a display.
unit_log="$shots/search-box-test.log"
wine "$BUILD_DIR/tests/vx_tests_win.exe" --gtest_filter='SearchBoxWin32.*' 2>&1 | tr -d '\r' >"$unit_log"
check "search box: Esc reaches it through IsDialogMessageW and is never typed" \
  eval "grep -q '^\[  PASSED  \] 1 test' '$unit_log' && ! grep -q SKIPPED '$unit_log'"

margin=14
wine "$exe" >/dev/null 2>&1 &
APP_PID=$!
window=
for _ in $(seq 120); do
  window=$(xdotool search --name '^Vantorix$' 2>/dev/null | head -n 1)
  [ -n "$window" ] && break
  sleep 0.5
done
ox=-1
for _ in $(seq 60); do
  [ -n "$window" ] || break
  import -window root "$shots/start.png"
  read -r ox oy < <(px "$shots/start.png" origin "$margin")
  [ "$ox" -ge 0 ] && break
  sleep 0.5
done
check "window appears and paints" test "$ox" -ge 0
[ "$ox" -ge 0 ] || e2e_finish
client_w=$(px "$shots/start.png" width "$ox" "$oy" "$margin")
client_h=$(xdotool getwindowgeometry "$window" | awk '/Geometry/ { split($2, s, "x"); print s[2] }')
shot() { import -window root "$shots/$1.png"; echo "$shots/$1.png"; }

# Open a category page first, so that the search has a page to return to: Network (sidebar row 5).
xdotool mousemove --window "$window" 120 $((148 + 42 + 44 * 5 + 20)) click 1
sleep 1
network=$(shot network)
# The search box: {24, 78, 344, 106} DIP of the header, drawn in the control colour.
check "the search box sits under the subtitle in the control colour" \
  eval '[ "$(px "$network" pixel "$ox" "$oy" 200 $((14 + 92)))" = "38 38 52" ]'

# Into the box (a click there; Ctrl+F is checked below, where nothing else can give the box the
# focus), then type. Wine can miss xdotool's first re-binding of a Cyrillic letter, and on a busy
# machine a whole word: one letter typed and erased first lets it catch up (as in gui_window.sh),
# and the word is typed again while the page that was open still shows.
for attempt in 1 2 3; do
  xdotool mousemove --window "$window" 200 $((14 + 92)) click 1
  sleep 0.5
  for _ in 1 2 3 4 5; do xdotool key BackSpace; done
  xdotool type --delay 80 "к"
  xdotool key BackSpace
  sleep 0.3
  xdotool type --delay 80 "кэш"
  sleep 2
  typed=$(shot typed-$attempt)
  [ "$(px "$typed" same "$network" "$ox" "$oy" 248 148 900 196)" = 0 ] && break
done
echo "typed on attempt $attempt"
results=$(shot search-results)
echo "search results: $results"

# The cards' "Применить"/"Откатить" buttons, in a column left of their text: each run of accent or control rows of
# about 34 px is one card, top to bottom.
buttons() {
  python3 - "$1" "$ox" "$oy" "$((client_w - 14 - 20 - 104))" "$((148 + 96))" "$((client_h - 14 - 28))" <<'PY'
import subprocess, sys
shot, ox, oy, x, top, bottom = sys.argv[1], *map(int, sys.argv[2:])
w, h = map(int, subprocess.check_output(["identify", "-format", "%w %h", shot]).split())
data = subprocess.check_output(["convert", shot, "-depth", "8", "rgb:-"])
def px(y):
    i = ((oy + y) * w + ox + x) * 3
    return tuple(data[i:i + 3])
near = lambda c, t: all(abs(a - b) <= 8 for a, b in zip(c, t))
runs, start = [], None
for y in range(top, bottom):
    on = near(px(y), (140, 110, 255)) or near(px(y), (38, 38, 52))
    if on and start is None: start = y
    if not on and start is not None:
        if 28 <= y - start <= 40: runs.append((start + y) // 2)
        start = None
print(" ".join(map(str, runs)))
PY
}
read -r -a centres < <(buttons "$results")
check "the search page shows several cards (${#centres[@]})" test "${#centres[@]}" -ge 2
labels=$(px "$results" count "$ox" "$oy" 248 $((148 + 96)) $((client_w - 14)) $((client_h - 42)) 80 160 255 30)
check "each card carries its category's name ($labels label pixels)" test "$labels" -ge 60
title_rows=$(px "$results" rows "$ox" "$oy" 248 148 900 196 245 245 252 40)
check "the page title \"Поиск: «кэш»\" is drawn ($title_rows rows)" test "$title_rows" -ge 8
check "the page that was open is not shown meanwhile" \
  eval '[ "$(px "$results" same "$network" "$ox" "$oy" 248 148 900 196)" = 0 ]'

# perf.shader_cache is the first of the results in catalogue order (tweak_search_test pins it).
status_before=$(vx status perf.shader_cache | cut -f2)
if [ "${#centres[@]}" -ge 1 ]; then
  xdotool mousemove --window "$window" $((client_w - 89)) "${centres[0]}" click 1
fi
applied() {
  for _ in $(seq 60); do
    [ "$(vx status perf.shader_cache | cut -f2)" = Applied ] && return 0
    sleep 0.5
  done
  echo "perf.shader_cache is $(vx status perf.shader_cache | cut -f2) (was $status_before)"
  return 1
}
check "\"Применить\" on the shader cache card in the results applies perf.shader_cache" applied
sleep 1
shot applied >/dev/null

# The click gave the focus to the main window: Ctrl+F takes it back to the box, then Esc.
xdotool key ctrl+f
sleep 0.3
xdotool key Escape
sleep 1
cleared=$(shot cleared)
check "Esc empties the box and the page that was open comes back" \
  eval '[ "$(px "$cleared" same "$network" "$ox" "$oy" 248 148 900 196)" = 1 ]'

xdotool key --window "$window" alt+F4
wait "$APP_PID"; exit_code=$?
APP_PID=
check "closing the window ends the process with 0" test "$exit_code" -eq 0
e2e_finish
