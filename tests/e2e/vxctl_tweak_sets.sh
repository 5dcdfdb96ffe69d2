#!/usr/bin/env bash
# A tweak set carried from one PC to another: vxctl export in one fresh Wine prefix, then
# import --dry-run and import of the same file in a second fresh prefix; the refusals of a broken
# file; and `vxctl list --json` parsed by Python. The exported file and the dry run are kept in
# build/test-results/tweak-sets/.
set -uo pipefail
source "$(dirname "$0")/lib.sh"
e2e_prefix vxctl-sets-first

PROFILE='HKLM\SOFTWARE\Microsoft\Windows NT\CurrentVersion\Multimedia\SystemProfile'
ADVANCED='HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Advanced'
PRIORITY='HKLM\SYSTEM\CurrentControlSet\Control\PriorityControl'
KEEP="$E2E_ROOT/build/test-results/tweak-sets"
mkdir -p "$KEEP"
SET="$KEEP/set.json"
rm -f "$SET"
SET_WIN="Z:${SET//\//\\}"

# --- the first PC: apply three tweaks, export what is applied ---------------------------------
vx apply net.no_throttling system.show_ext perf.priorityseparation >/dev/null
export_applied() {
  local out; out=$(vx export "$SET_WIN") || return 1
  python3 - "$SET" <<'PY' || return 1
import json, sys
data = json.load(open(sys.argv[1], encoding="utf-8"))
assert data["format"] == "vantorix-tweaks" and data["version"] == 1, data
assert data["windowsBuild"] > 0 and len(data["created"]) == 19 and data["created"][10] == "T", data
for tweak in ("perf.priorityseparation", "net.no_throttling", "system.show_ext"):
    assert tweak in data["tweaks"], data
PY
  [ "$out" = "Сохранено твиков: $(python3 -c 'import json,sys; print(len(json.load(open(sys.argv[1]))["tweaks"]))' "$SET") — $SET_WIN" ]
}
check "export writes the applied tweaks as a set" export_applied
check "export of an unknown id writes nothing" eval '! vx export "Z:${KEEP//\//\\}\\unknown.json" perf.nope 2>/dev/null && [ ! -e "$KEEP/unknown.json" ]'

list_json_parses() {
  vx list --json >"$KEEP/list.json" || return 1
  python3 - "$KEEP/list.json" <<'PY'
import json, sys
rows = json.load(open(sys.argv[1], encoding="utf-8"))["tweaks"]
fields = {"id", "title", "category", "tier", "aggressive", "state", "note"}
assert rows and all(set(r) == fields for r in rows), rows[0]
by_id = {r["id"]: r for r in rows}
assert by_id["net.no_throttling"]["state"] == "Applied", by_id["net.no_throttling"]
assert by_id["net.no_throttling"]["category"] == "Network"
assert by_id["perf.sysmain"]["state"] == "Unavailable", by_id["perf.sysmain"]  # no SysMain service under Wine
assert by_id["power.high"]["title"] == "План питания: Высокая производительность"
PY
}
check "list --json is one JSON object Python reads" list_json_parses
check "hw --json is one JSON object" eval 'vx hw --json | python3 -c "import json,sys; d=json.load(sys.stdin); assert \"windows\" in d and \"displayAdapters\" in d"'
wine_prefix_stop

# --- the second PC: a fresh prefix --------------------------------------------------------------
e2e_prefix vxctl-sets-second
python3 - "$SET" "$KEEP/with-unknown.json" <<'PY'
import json, sys
data = json.load(open(sys.argv[1], encoding="utf-8"))
data["tweaks"].append("perf.from_a_newer_version")
json.dump(data, open(sys.argv[2], "w", encoding="utf-8"))
PY
SET2_WIN="Z:${KEEP//\//\\}\\with-unknown.json"
TAB=$'\t'
dry_run() {
  local before after out
  before=$(wine reg query "$PROFILE" 2>/dev/null | tr -d '\r')
  out=$(vx import "$SET2_WIN" --dry-run) || return 1
  printf '%s\n' "$out" >"$KEEP/dry-run.txt"
  after=$(wine reg query "$PROFILE" 2>/dev/null | tr -d '\r')
  [ "$before" = "$after" ] && [ -z "$(reg_dword "$PROFILE" NetworkThrottlingIndex)" ] &&
    grep -qx "net.no_throttling${TAB}Отключить сетевой троттлинг${TAB}будет применён" <<<"$out" &&
    grep -qx "perf.from_a_newer_version${TAB}${TAB}неизвестный id — пропущен" <<<"$out" &&
    grep -q "^Набор .*with-unknown.json: будет применено [0-9]* из [0-9]* (пробный запуск, ничего не изменено)$" <<<"$out"
}
check "import --dry-run says per id what would happen and changes nothing" dry_run
import_set() {
  local out err rc
  err=$(mktemp)
  out=$(vx import "$SET2_WIN" 2>"$err"); rc=$?
  printf '%s\n--- stderr\n%s\n--- exit %s\n' "$out" "$(cat "$err")" "$rc" >"$KEEP/import.txt"
  grep -qx "vxctl: неизвестный id «perf.from_a_newer_version» — пропущен" "$err" || { rm -f "$err"; return 1; }
  rm -f "$err"
  grep -q "^Импорт: применено [1-9][0-9]*, уже было [0-9]*, не применено [0-9]*" <<<"$out" &&
    [ "$(reg_dword "$PROFILE" NetworkThrottlingIndex)" = 0xffffffff ] && [ "$(reg_dword "$ADVANCED" HideFileExt)" = 0x0 ] &&
    [ "$(reg_dword "$PRIORITY" Win32PrioritySeparation)" = 0x26 ] &&
    # every tweak of the set was applied on the first PC, so each one applies here as well
    [ "$rc" -eq 0 ] && grep -q ", не применено 0$" <<<"$out"
}
check "import applies the set on a fresh PC" import_set
# The import is one run of the change journal.
check "the import is one journal run labelled import" \
  eval 'vx history 1 --json >"$KEEP/history.json" && python3 -c "import json,sys; r=json.load(open(sys.argv[1]))[\"runs\"]; assert len(r) == 1 and r[0][\"label\"] == \"import\" and len(r[0][\"tweaks\"]) >= 3, r" "$KEEP/history.json"'
check "a second import finds everything applied" eval 'vx import "$SET_WIN" | grep -q "^Импорт: применено 0, уже было"'

refusals() {  # TEXT MESSAGE: the file is refused with exit 2, that message and nothing on stdout
  local out err rc
  printf '%s' "$1" >"$KEEP/broken.json"
  out=$(vx import "Z:${KEEP//\//\\}\\broken.json" 2>"$KEEP/broken.err"); rc=$?
  err=$(cat "$KEEP/broken.err")
  [ "$rc" -eq 2 ] && [ -z "$out" ] && [ "$err" = "vxctl: $2" ] || { echo "exit $rc, out '$out', err '$err'"; return 1; }
}
check "a file that is not JSON is refused with exit 2" refusals 'not json' 'Файл набора — не JSON'
check "a file of another format is refused with exit 2" refusals '{"format": "other", "version": 1, "tweaks": ["net.no_throttling"]}' \
  'Это не набор твиков Vantorix (ожидается формат vantorix-tweaks, версия 1)'
check "a file naming no known tweak is refused with exit 2" refusals \
  '{"format": "vantorix-tweaks", "version": 1, "tweaks": ["x.none"]}' 'В наборе нет ни одного известного твика'

e2e_finish
