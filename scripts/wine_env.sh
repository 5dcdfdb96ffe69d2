# Sourced by the scripts that run Windows binaries: a throwaway Wine prefix under build/ that
# reports Windows 10, and a clean shutdown of its wineserver.
# Usage: source scripts/wine_env.sh; wine_prefix_create DIR; ...; wine_prefix_stop
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY

wine_prefix_create() {
  export WINEPREFIX="$1"
  rm -rf "$WINEPREFIX"
  mkdir -p "$(dirname "$WINEPREFIX")"
  wineboot -i >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine' /v Version /d win10 /f >/dev/null 2>&1
  wineserver -w
}

wine_prefix_stop() {
  [ -n "${WINEPREFIX:-}" ] && wineserver -k 2>/dev/null || true
}
