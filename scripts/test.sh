#!/usr/bin/env bash
# The whole test suite: setup, both builds, native tests (plain, ASan/UBSan, TSan for the threaded
# parts), the Windows tests and end-to-end scripts under Wine in a fresh prefix. Ends with one
# line "N passed, N failed"; exits non-zero on any failure.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
results="$root/build/test-results"
rm -rf "$results"; mkdir -p "$results"
failures=0
note_failure() { echo "FAILED: $*"; failures=$((failures + 1)); }

bash scripts/setup.sh || { echo "setup failed"; exit 1; }

# A configuration whose build failed runs nothing: its binaries may be stale ones from an
# earlier build.
declare -A built
for preset in native native-asan native-tsan windows; do
  echo "=== build $preset"
  if bash scripts/build.sh "$preset" >"$results/build-$preset.log" 2>&1; then
    built[$preset]=1
  else
    tail -n 60 "$results/build-$preset.log"; note_failure "build $preset"
  fi
done

run_gtest() {  # name, command...   (XML_DIR: where the runner can see $results, default as is)
  local name="$1"; shift
  echo "=== $name"
  "$@" --gtest_output="xml:${XML_DIR:-$results}/$name.xml" >"$results/$name.log" 2>&1
  local rc=$?
  grep -E '^\[  (PASSED|FAILED|SKIPPED) |^\[==========\]|^\[  FAILED  \]' "$results/$name.log" | tail -n 40
  [ $rc -eq 0 ] || { tail -n 80 "$results/$name.log"; note_failure "$name (exit $rc)"; }
  [ -f "$results/$name.xml" ] || note_failure "$name wrote no XML report"
}

[ -n "${built[native]:-}" ] && run_gtest native build/native/tests/vx_tests
[ -n "${built[native-asan]:-}" ] && ASAN_OPTIONS=detect_leaks=1 run_gtest native-asan build/native-asan/tests/vx_tests
# The whole native suite under ThreadSanitizer as well.
[ -n "${built[native-tsan]:-}" ] && TSAN_OPTIONS=halt_on_error=1 run_gtest native-tsan build/native-tsan/tests/vx_tests

if [ -n "${built[windows]:-}" ]; then
  source scripts/wine_env.sh
  wine_prefix_create "$root/build/wine-test-prefix"
  # Wine wants Windows paths for the XML report; Z: maps the host root.
  XML_DIR="Z:$results" run_gtest windows wine build/windows/tests/vx_tests_win.exe
  wine_prefix_stop
  for script in tests/e2e/*.sh; do
    name=$(basename "$script" .sh)
    [ "$name" = lib ] && continue  # shared helpers, sourced by the others
    echo "=== e2e $name"
    bash "$script" >"$results/e2e-$name.log" 2>&1
    rc=$?
    grep -E '^(PASS|FAIL): ' "$results/e2e-$name.log"
    [ $rc -eq 0 ] || { tail -n 40 "$results/e2e-$name.log"; note_failure "e2e $name (exit $rc)"; }
  done
fi

# The hosted Windows workflow cannot run here: it must parse, name a windows-latest job and build
# with the commands above, and what it uploads must be what the windows build made.
echo "=== workflow"
python3 scripts/check_workflow.py ${built[windows]:+--built} || note_failure "workflow"

echo "=== layering"
python3 scripts/check_layers.py || note_failure "layering"

python3 scripts/summarize_results.py "$results" "$failures"
