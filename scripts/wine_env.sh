# Sourced by the scripts that run Windows binaries: a throwaway Wine prefix under build/ that
# reports Windows 10, and a clean shutdown of its wineserver.
# Usage: source scripts/wine_env.sh; wine_prefix_create DIR (or wine_prefix_use DIR to keep an
# existing one); ...; wine_prefix_stop
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

# Points Wine at the prefix DIR (inside build/). Wine keeps the recycle bin in the XDG data folder's
# Trash and cannot empty it when that folder is missing: each prefix has its own inside it, so
# emptying the bin neither depends on the home folder nor touches the user's own trash.
wine_prefix_use() {
  inside_build_dir "$1" || return 1
  export WINEPREFIX XDG_DATA_HOME
  WINEPREFIX=$(realpath -m -- "$1")
  XDG_DATA_HOME="$WINEPREFIX/xdg-data"
  [ ! -d "$WINEPREFIX" ] || mkdir -p "$XDG_DATA_HOME"
}

wine_prefix_create() {
  wine_prefix_use "$1" || return 1
  rm -rf -- "$WINEPREFIX"
  mkdir -p "$(dirname "$WINEPREFIX")"
  wineboot -i >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine' /v Version /d win10 /f >/dev/null 2>&1
  wineserver -w
  mkdir -p "$XDG_DATA_HOME"
}

# Keeps the prefix's wineserver up until wine_prefix_stop: by default it exits a few seconds after
# its last client, and a program started just then fails with "recvmsg: Connection reset by peer".
# Not for scripts that wait for all processes with `wineserver -w`, which would then never return.
wine_server_keep() {
  wineserver -p
}

wine_prefix_stop() {
  [ -n "${WINEPREFIX:-}" ] && wineserver -k 2>/dev/null || true
}
