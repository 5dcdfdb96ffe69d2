#!/usr/bin/env bash
# Runs one Windows test program under Wine in its own throwaway prefix (build/ctest-wine-prefix)
# and ends that prefix's wineserver afterwards; ctest in the windows build calls it for
# vx_tests_win.exe. Usage: scripts/wine_test.sh PROGRAM.exe [ARGUMENTS...]
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine_env.sh"
wine_prefix_create "$VX_PROJECT_ROOT/build/ctest-wine-prefix" || exit 1
wine "$@"
rc=$?
wine_prefix_stop
exit $rc
