#!/usr/bin/env bash
# vxctl selftest in a fresh Wine prefix: one line per check in the fixed order, each with its
# result mark; the scratch key is gone afterwards; --json parses and carries the same checks. Wine
# fails several checks (no bcdedit/powercfg, no GPU counter, no shell window, no descriptors), so
# the exit status is only required to be 0 or 1, never a refusal or a crash. The full output is
# kept in build/test-results/selftest-wine.txt.
set -uo pipefail
source "$(dirname "$0")/lib.sh"
e2e_prefix vxctl-selftest

expected_names=(
  "Windows" "Права администратора" "SeProfileSingleProcessPrivilege" "SeTakeOwnershipPrivilege"
  "COM для восстановления системы" "Восстановление системы" "Счётчик GPU" "Схемы питания" "Оболочка"
  "Видеоадаптеры" "Сетевые адаптеры" "GlobalTimerResolutionRequests" "reg.exe export"
  '%ProgramData%\Vantorix' "bcdedit.exe и powercfg.exe"
)

results="$E2E_ROOT/build/test-results"
mkdir -p "$results"
text_out=$(vx selftest); text_rc=$?
printf '%s\n' "$text_out" >"$results/selftest-wine.txt"
printf '%s\n' "$text_out"

exit_is_a_verdict() {
  [ "$text_rc" -eq 0 ] || [ "$text_rc" -eq 1 ] || { echo "exit status $text_rc"; return 1; }
}
check "selftest exits 0 or 1" exit_is_a_verdict

one_line_per_check_in_order() {
  local -a lines
  mapfile -t lines <<<"$text_out"
  [ "${#lines[@]}" -eq "${#expected_names[@]}" ] || { echo "${#lines[@]} lines"; return 1; }
  local i
  for i in "${!expected_names[@]}"; do
    case "${lines[$i]}" in
      "✔ ${expected_names[$i]}: "* | "✗ ${expected_names[$i]}: "* | "— ${expected_names[$i]}: "*) ;;
      *) echo "line $((i + 1)): ${lines[$i]} (expected ${expected_names[$i]})"; return 1 ;;
    esac
  done
}
check "one line per check, in order, with its mark" one_line_per_check_in_order

# Wine runs every process elevated, so this line must say so.
check "elevated under Wine" grep -qx '✔ Права администратора: да' <<<"$text_out"

no_scratch_key() {
  if wine reg query 'HKCU\Software\Vantorix\SelfTest' >/dev/null 2>&1; then echo "SelfTest is still there"; return 1; fi
  if wine reg query 'HKCU\Software\Vantorix' >/dev/null 2>&1; then echo "Software\\Vantorix was left behind"; return 1; fi
}
check "no scratch key left" no_scratch_key

json_out=$(vx selftest --json); json_rc=$?
json_matches() {
  [ "$json_rc" -eq "$text_rc" ] || { echo "--json exits $json_rc, text $text_rc"; return 1; }
  python3 -c '
import json, sys
names = sys.argv[1:]
checks = json.load(sys.stdin)["checks"]
assert [c["name"] for c in checks] == names, [c["name"] for c in checks]
assert all(c["result"] in ("pass", "fail", "na") and isinstance(c["detail"], str) for c in checks)
' "${expected_names[@]}" <<<"$json_out"
}
check "--json parses with the same checks" json_matches

unknown_argument_is_usage() {
  vx selftest --bogus >/dev/null 2>&1
  [ $? -eq 2 ]
}
check "an unknown argument is a usage error" unknown_argument_is_usage

e2e_finish
