#!/usr/bin/env bash
# Vantorix.exe twice under Wine on its own Xvfb display: the second process exits at once with
# code 0 and leaves exactly one window; closing that window ends the first process.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
source "$E2E_ROOT/scripts/wine_env.sh"
exe="$BUILD_DIR/Vantorix.exe"

source "$E2E_ROOT/scripts/xvfb_display.sh"
xvfb_start
APP_PID=
trap gui_session_end EXIT
wine_prefix_create "$E2E_ROOT/build/e2e-gui-single-prefix"

windows() { xdotool search --name '^Vantorix$' 2>/dev/null | wc -l; }

wine "$exe" >/dev/null 2>&1 &
APP_PID=$!
for _ in $(seq 120); do [ "$(windows)" -ge 1 ] && break; sleep 0.5; done
check "the first Vantorix.exe shows its window" test "$(windows)" -eq 1

second_exits() {
  timeout 30 wine "$exe" >/dev/null 2>&1
  local rc=$?
  sleep 2
  [ "$rc" -eq 0 ] && [ "$(windows)" -eq 1 ] || { echo "exit $rc, windows $(windows)"; return 1; }
}
check "a second Vantorix.exe exits with 0 and leaves one window" second_exits

window=$(xdotool search --name '^Vantorix$' 2>/dev/null | head -n 1)
[ -n "$window" ] && xdotool key --window "$window" alt+F4
closed() { for _ in $(seq 40); do kill -0 "$APP_PID" 2>/dev/null || return 0; sleep 0.5; done; return 1; }
check "closing the window ends the first process" closed
APP_PID=
e2e_finish
