#!/usr/bin/env bash
# vxctl's change journal in a fresh Wine prefix with the real registry: the preview of a tweak,
# the journal lines of an apply, a restore dry run that changes nothing, a restore that gives the
# user's own values back exactly (`reg query /s` of the key reads as before), the history, a tweak
# reset behind the program's back found by `vxctl drift` and applied again, and the journal's size
# after the Maximum profile.
set -uo pipefail
source "$(dirname "$0")/lib.sh"
e2e_prefix vxctl-journal

GD='HKLM\SYSTEM\CurrentControlSet\Control\GraphicsDrivers'
JOURNAL="$WINEPREFIX/drive_c/ProgramData/Vantorix/journal.jsonl"
TITLE='Увеличить GPU TDR Delay до 60 секунд'

key_lines() { wine reg query "$GD" /s 2>/dev/null | tr -d '\r' | sed '/^$/d'; }

# The user's own TdrDelay and a value of theirs the tweak knows nothing about.
wine reg add "$GD" /v TdrDelay /t REG_DWORD /d 7 /f >/dev/null 2>&1
wine reg add "$GD" /v UserNote /t REG_SZ /d "keep me" /f >/dev/null 2>&1
before=$(key_lines)

show_names_the_value() {
  local out; out=$(vx show pro.gpu_tdr) || return 1
  printf '%s\n' "$out"
  [ "$(head -n 1 <<<"$out")" = "$TITLE" ] &&
    grep -qxF '  HKLM\SYSTEM\CurrentControlSet\Control\GraphicsDrivers  TdrDelay: 7 → 60 (REG_DWORD)' <<<"$out"
}
check "show lists TdrDelay from the user's 7 to 60" show_names_the_value

apply_journals() {
  vx apply pro.gpu_tdr >/dev/null || return 1
  [ "$(reg_dword "$GD" TdrDelay)" = 0x3c ] || return 1
  python3 - "$JOURNAL" <<'PY'
import json, sys
lines = [json.loads(l) for l in open(sys.argv[1], encoding="utf-8")]
last = lines[-1]
values = {v["name"]: v for v in last["values"]}
ok = (last["id"] == "pro.gpu_tdr" and last["action"] == "apply" and last["result"] == "ok"
      and values["TdrDelay"]["before"] == {"type": 4, "hex": "07000000", "text": "7"}
      and values["TdrDelay"]["after"]["hex"] == "3c000000"
      and values["TdrDdiDelay"]["before"] == {"present": False})
sys.exit(0 if ok else 1)
PY
}
check "apply writes a journal line with the values before and after" apply_journals
after_apply=$(key_lines)

dry_run_changes_nothing() {
  local out; out=$(vx restore pro.gpu_tdr --dry-run) || return 1
  printf '%s\n' "$out"
  grep -q 'TdrDelay: 60 → 7 (REG_DWORD)' <<<"$out" && [ "$(key_lines)" = "$after_apply" ]
}
check "restore --dry-run names TdrDelay and changes nothing" dry_run_changes_nothing

restore_gives_the_key_back() {
  local out; out=$(vx restore pro.gpu_tdr) || { printf '%s\n' "$out"; return 1; }
  [ "$(key_lines)" = "$before" ] || { diff <(printf '%s\n' "$before") <(key_lines); return 1; }
}
check "restore brings back reg query /s of the key line for line" restore_gives_the_key_back

history_lists_both_runs() {
  local out; out=$(vx history) || return 1
  printf '%s\n' "$out"
  grep -Eq "^#2 [0-9-]{10} [0-9:]{8} restore_pro.gpu_tdr$" <<<"$out" &&
    grep -qxF "  pro.gpu_tdr — $TITLE — восстановлено" <<<"$out" &&
    grep -Eq "^#1 [0-9-]{10} [0-9:]{8} apply_pro.gpu_tdr$" <<<"$out" &&
    grep -qxF "  pro.gpu_tdr — $TITLE — применено" <<<"$out" &&
    [ "$(head -n 1 <<<"$out" | cut -c1-3)" = "#2 " ]
}
check "history lists the runs newest first" history_lists_both_runs

check "an unknown run is a bad argument" eval 'vx restore --run 99 >/dev/null 2>&1; [ $? -eq 2 ]'

drift_finds_the_reset_value() {
  vx apply pro.gpu_tdr >/dev/null || return 1
  vx drift >/dev/null || true
  wine reg add "$GD" /v TdrDelay /t REG_DWORD /d 2 /f >/dev/null 2>&1  # as a driver update would
  local out rc
  out=$(vx drift); rc=$?
  printf '%s\n' "$out"
  [ $rc -eq 1 ] && grep -qxF "  pro.gpu_tdr — $TITLE" <<<"$out" || return 1
  vx drift --apply >/dev/null || return 1
  [ "$(reg_dword "$GD" TdrDelay)" = 0x3c ] && vx drift >/dev/null
}
check "drift reports a tweak reset with reg add and applies it again" drift_finds_the_reset_value

journal_after_maximum_profile() {
  vx profile maximum >/dev/null 2>&1
  local size; size=$(stat -c %s "$JOURNAL") || return 1
  echo "journal after the Maximum profile: $size bytes, $(wc -l <"$JOURNAL") lines"
  [ "$size" -le $((2 * 1024 * 1024)) ] &&
    python3 -c 'import json,sys; [json.loads(l) for l in open(sys.argv[1], encoding="utf-8")]' "$JOURNAL"
}
check "the journal stays parsable and within 2 MiB after the Maximum profile" journal_after_maximum_profile

e2e_finish
