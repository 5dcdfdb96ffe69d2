#!/usr/bin/env bash
# The main command: builds Vantorix.exe and starts it in the project's own Wine prefix
# (build/wine-prefix, reporting Windows 10, with font replacements so the Russian texts render as on
# Windows). With a display it opens the window and waits until it is closed. Without one (a server,
# CI) it starts its own Xvfb, lets the window run a few seconds, saves a screenshot under
# build/screenshots/, prints its path and exits 0.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
bash scripts/setup.sh
bash scripts/build.sh windows --target Vantorix
user_display=${DISPLAY:-}
source scripts/wine_env.sh   # clears DISPLAY; set again below

xvfb_pid=
app_pid=
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
  wine_prefix_stop
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; fi
  return 0
}
trap cleanup EXIT

if [ -n "$user_display" ]; then
  export DISPLAY="$user_display"
else
  # Our own display, before any Wine command, larger than the window.
  display_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 50); do [ -s "$display_file" ] && break; sleep 0.1; done
  export DISPLAY=":$(cat "$display_file")"
  rm -f "$display_file"
fi

export WINEPREFIX="$root/build/wine-prefix"
[ -d "$WINEPREFIX" ] || wine_prefix_create "$WINEPREFIX"
fonts='HKCU\Software\Wine\Fonts\Replacements'
wine reg add "$fonts" /v "Segoe UI" /d "DejaVu Sans" /f >/dev/null 2>&1
wine reg add "$fonts" /v "Segoe UI Symbol" /d "Symbola" /f >/dev/null 2>&1

if [ -n "$user_display" ]; then
  wine build/windows/Vantorix.exe
  exit $?
fi

wine build/windows/Vantorix.exe >/dev/null 2>&1 &
app_pid=$!
for _ in $(seq 120); do
  xdotool search --name '^Vantorix$' >/dev/null 2>&1 && break
  sleep 0.5
done
sleep 5
mkdir -p build/screenshots
shot="$root/build/screenshots/vantorix-$(date +%Y%m%d-%H%M%S).png"
import -window root "$shot"
echo "$shot"
