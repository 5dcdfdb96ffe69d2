#!/usr/bin/env bash
# The main command: builds Vantorix.exe and starts it in the project's own Wine prefix
# (build/wine-prefix, reporting Windows 10, with font replacements so the Russian texts render as on
# Windows). With a display it opens the window and waits until it is closed. Without one (a server,
# CI) it starts its own Xvfb, lets the window run a few seconds, saves screenshots of the Home and
# the Assistant pages under build/screenshots/, prints their paths and exits 0.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
bash scripts/setup.sh
bash scripts/build.sh windows --target Vantorix
user_display=${DISPLAY:-}
source scripts/wine_env.sh   # clears DISPLAY; set again below
source scripts/xvfb_display.sh

APP_PID=
trap gui_session_end EXIT

if [ -n "$user_display" ]; then
  export DISPLAY="$user_display"
else
  xvfb_start  # before any Wine command, larger than the window
fi

wine_prefix_use "$root/build/wine-prefix"
[ -d "$WINEPREFIX" ] || wine_prefix_create "$WINEPREFIX"
wine_font_replacements

if [ -n "$user_display" ]; then
  wine build/windows/Vantorix.exe
  exit $?
fi

wine build/windows/Vantorix.exe >/dev/null 2>&1 &
APP_PID=$!
for _ in $(seq 120); do
  xdotool search --name '^Vantorix$' >/dev/null 2>&1 && break
  sleep 0.5
done
sleep 5
mkdir -p build/screenshots
stamp=$(date +%Y%m%d-%H%M%S)
shot="$root/build/screenshots/vantorix-$stamp-home.png"
import -window root "$shot"
echo "$shot"
# The Assistant page: its sidebar row (the second) at 96 DPI, in client coordinates.
window=$(xdotool search --name '^Vantorix$' | head -n 1)
xdotool mousemove --window "$window" 100 254 click 1
sleep 2
shot="$root/build/screenshots/vantorix-$stamp-assistant.png"
import -window root "$shot"
echo "$shot"
