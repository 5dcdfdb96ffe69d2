# Shared helpers for the end-to-end scripts (sourced, not run):
#   check NAME COMMAND...   runs the command, prints "PASS: NAME" or "FAIL: NAME" (with its output)
#   e2e_prefix NAME [--server-exits]
#                           a fresh Wine prefix build/e2e-NAME-prefix whose wineserver stays up until
#                           the script exits (back-to-back runs never meet a server shutting down);
#                           --server-exits keeps Wine's default, for scripts that use `wineserver -w`
#   vx ARGS...              runs vxctl.exe of $BUILD_DIR in that prefix; its exit status, and its
#                           standard output and error with CR removed
#   reg_dword KEY VALUE     the REG_DWORD as "0x..." from `wine reg query`, nothing when absent
#   reg_typed KEY VALUE     "TYPE DATA" from `wine reg query` ("REG_SZ 0"), nothing when absent
#   e2e_finish              prints the totals and exits 1 if any check failed
# BUILD_DIR (default build/windows, relative to the project root) holds the Windows binaries.
E2E_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
BUILD_DIR=${BUILD_DIR:-build/windows}
case "$BUILD_DIR" in /*) ;; *) BUILD_DIR="$E2E_ROOT/$BUILD_DIR" ;; esac
e2e_passed=0
e2e_failed=0

check() {
  local name="$1"; shift
  local output
  if output=$("$@" 2>&1); then
    echo "PASS: $name"
    e2e_passed=$((e2e_passed + 1))
  else
    echo "FAIL: $name"
    [ -n "$output" ] && printf '%s\n' "$output" | sed 's/^/    /' | head -n 30
    e2e_failed=$((e2e_failed + 1))
  fi
}

e2e_prefix() {
  source "$E2E_ROOT/scripts/wine_env.sh"
  wine_prefix_create "$E2E_ROOT/build/e2e-$1-prefix"
  trap wine_prefix_stop EXIT
  [ "${2:-}" = --server-exits ] || wine_server_keep
}

vx() {
  local err rc
  err=$(mktemp)
  wine "$BUILD_DIR/vxctl.exe" "$@" 2>"$err" | tr -d '\r'
  rc=${PIPESTATUS[0]}
  tr -d '\r' <"$err" >&2
  rm -f "$err"
  return "$rc"
}

reg_dword() {
  wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | awk -v name="$2" \
    'tolower($1) == tolower(name) && $2 == "REG_DWORD" { print tolower($3) }'
}

reg_typed() {  # value names may contain blanks ("Background Only")
  wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | awk -v name="$2" \
    'BEGIN { n = split(name, words, " ") }
     tolower($0) ~ /^ +/ && tolower($1) == tolower(words[1]) {
       line = $0; sub(/^ +/, "", line)
       if (tolower(substr(line, 1, length(name))) != tolower(name)) next
       line = substr(line, length(name) + 1); sub(/^ +/, "", line); sub(/ +/, " ", line); print line }'
}

e2e_finish() {
  echo "$e2e_passed passed, $e2e_failed failed"
  [ "$e2e_failed" -eq 0 ] || exit 1
  exit 0
}
