# Sourced by the scripts that show the window without a real display: an Xvfb display of our own
# (Xvfb picks a free number itself), started before any Wine command and ended by its process id,
# and the prefix's font replacements so the Russian texts render with DejaVu as with Segoe UI.
# Usage: source scripts/xvfb_display.sh; xvfb_start; ...; xvfb_stop      (sets DISPLAY, XVFB_PID)

xvfb_start() {
  local display_file
  display_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 50); do [ -s "$display_file" ] && break; sleep 0.1; done
  export DISPLAY=":$(cat "$display_file")"
  rm -f "$display_file"
}

xvfb_stop() {
  [ -n "${XVFB_PID:-}" ] || return 0
  kill "$XVFB_PID" 2>/dev/null
  wait "$XVFB_PID" 2>/dev/null
  XVFB_PID=
  return 0
}

wine_font_replacements() {  # in the current WINEPREFIX
  local key='HKCU\Software\Wine\Fonts\Replacements'
  wine reg add "$key" /v "Segoe UI" /d "DejaVu Sans" /f >/dev/null 2>&1
  wine reg add "$key" /v "Segoe UI Symbol" /d "Symbola" /f >/dev/null 2>&1
}

# Ends what a window session started: the program ($APP_PID, when still running), the prefix's
# wineserver and our Xvfb. For `trap gui_session_end EXIT`.
gui_session_end() {
  [ -n "${APP_PID:-}" ] && kill "$APP_PID" 2>/dev/null
  wine_prefix_stop
  xvfb_stop
}
