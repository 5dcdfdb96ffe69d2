# Sourced by the scripts that run Windows binaries: a throwaway Wine prefix under build/ that
# reports Windows 10, and a clean shutdown of its wineserver.
# Usage: source scripts/wine_env.sh; wine_prefix_create DIR; ...; wine_prefix_stop
export WINEDEBUG=-all
# No Mono/Gecko installers, and no winemenubuilder: it would write menu entries and file
# associations into the home folder, outside build/.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# Wine decodes command-line arguments with the Unix locale; without UTF-8 a Russian argument
# arrives mangled.
export LC_ALL=C.UTF-8
unset DISPLAY
VX_PROJECT_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Succeeds only for a path strictly inside the project's build/ folder (after resolving "..",
# links and relative parts), so that no prefix or scratch folder elsewhere is ever deleted.
inside_build_dir() {
  local path
  path=$(realpath -m -- "$1") || return 1
  case "$path" in
    "$VX_PROJECT_ROOT"/build/?*) return 0 ;;
    *) echo "refusing a path outside $VX_PROJECT_ROOT/build: $1" >&2; return 1 ;;
  esac
}

wine_prefix_create() {
  inside_build_dir "$1" || return 1
  export WINEPREFIX
  WINEPREFIX=$(realpath -m -- "$1")
  rm -rf -- "$WINEPREFIX"
  mkdir -p "$(dirname "$WINEPREFIX")"
  wineboot -i >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine' /v Version /d win10 /f >/dev/null 2>&1
  wineserver -w
}

wine_prefix_stop() {
  [ -n "${WINEPREFIX:-}" ] && wineserver -k 2>/dev/null || true
}
