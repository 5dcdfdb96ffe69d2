#!/usr/bin/env bash
# vxctl drives the engine in a fresh Wine prefix: apply, status, revert, categories, a profile dry
# run, an aggressive apply with its backup folder, and the backup listing. The registry is read
# back with `wine reg query`, the backups from the prefix's ProgramData folder.
set -uo pipefail
source "$(dirname "$0")/lib.sh"
e2e_prefix vxctl-engine

PROFILE='HKLM\SOFTWARE\Microsoft\Windows NT\CurrentVersion\Multimedia\SystemProfile'
TCPIP='HKLM\SYSTEM\CurrentControlSet\Services\Tcpip\Parameters'
ADVANCED='HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Advanced'
PRIORITY='HKLM\SYSTEM\CurrentControlSet\Control\PriorityControl'
BACKUPS="$WINEPREFIX/drive_c/ProgramData/Vantorix/Backups"
TAB=$'\t'

# --- listing and status -------------------------------------------------------------------------
list_has_core_tweaks() {
  local out; out=$(vx list) || return 1
  grep -qx "power.high${TAB}Performance${TAB}2${TAB}-${TAB}.*${TAB}План питания: Высокая производительность" <<<"$out" &&
    grep -Eq "^net.no_throttling${TAB}Network${TAB}2${TAB}-${TAB}(NotApplied|Undetermined)${TAB}Отключить сетевой троттлинг$" <<<"$out" &&
    grep -q "^perf.sysmain${TAB}Performance${TAB}2${TAB}-${TAB}Unavailable${TAB}" <<<"$out" &&
    [ "$(head -n 1 <<<"$out" | cut -f1)" = power.high ]
}
check "list shows every tweak with category, tier, state and title" list_has_core_tweaks
# A fresh prefix has no NetworkThrottlingIndex, and an absent value that is not deleted on revert
# cannot be told apart from a changed one.
check "status of one tweak" eval '[ "$(vx status net.no_throttling)" = "net.no_throttling${TAB}Undetermined" ]'

# --- apply and revert of one tweak --------------------------------------------------------------
apply_one() {
  local out; out=$(vx apply net.no_throttling) || return 1
  [ "$out" = "Отключить сетевой троттлинг: применено" ] && [ "$(reg_dword "$PROFILE" NetworkThrottlingIndex)" = 0xffffffff ]
}
check "apply one tweak writes its value" apply_one
check "status after apply is Applied" eval '[ "$(vx status net.no_throttling)" = "net.no_throttling${TAB}Applied" ]'
revert_one() {
  local out; out=$(vx revert net.no_throttling) || return 1
  [ "$out" = "Отключить сетевой троттлинг: откачено" ] && [ "$(reg_dword "$PROFILE" NetworkThrottlingIndex)" = 0xa ]
}
check "revert one tweak writes the Windows default" revert_one

# --- several tweaks as one batch ----------------------------------------------------------------
apply_batch() {
  local out; out=$(vx apply system.show_ext net.tcp_nodelay) || return 1
  [ "$out" = "Применено: 2 из 2" ] && [ "$(reg_dword "$ADVANCED" HideFileExt)" = 0x0 ] &&
    [ "$(reg_dword "$TCPIP" TCPNoDelay)" = 0x1 ] && [ "$(reg_dword "$TCPIP" TcpAckFrequency)" = 0x1 ]
}
check "apply several tweaks as one batch" apply_batch
revert_deletes() {
  vx revert net.tcp_nodelay system.show_ext >/dev/null || return 1
  [ -z "$(reg_dword "$TCPIP" TCPNoDelay)" ] && [ -z "$(reg_dword "$TCPIP" TcpAckFrequency)" ] &&
    [ "$(reg_dword "$ADVANCED" HideFileExt)" = 0x1 ]
}
check "revert deletes values that are absent by default" revert_deletes

# --- failures and usage -------------------------------------------------------------------------
unknown_id_changes_nothing() {
  vx apply net.no_throttling no.such.tweak >/dev/null 2>&1
  [ $? -eq 1 ] && [ "$(reg_dword "$PROFILE" NetworkThrottlingIndex)" = 0xa ]
}
check "an unknown id fails with status 1 and changes nothing" unknown_id_changes_nothing
unavailable_fails() {
  local out; out=$(vx apply perf.sysmain 2>&1)
  [ $? -eq 1 ] && [ "$out" = "Отключить SysMain (Superfetch): не поддерживается" ]
}
check "an unavailable tweak is not applied (status 1)" unavailable_fails
usage_error() {
  vx >/dev/null 2>&1; [ $? -eq 2 ] || return 1
  vx category nowhere apply >/dev/null 2>&1; [ $? -eq 2 ] || return 1
  vx profile optimal --now >/dev/null 2>&1; [ $? -eq 2 ]
}
check "usage errors give status 2" usage_error
help_and_version() {
  local out version
  for word in help --help -h; do
    out=$(vx "$word" 2>/dev/null) || return 1
    # Verbs in their fixed order, each with a description.
    [ "$(grep -oE '^  vxctl [a-z-]+' <<<"$out" | awk '{print $2}' | head -n 4 | tr '\n' ' ')" = "list status host hw " ] || return 1
    grep -q '^  vxctl apply ID\.\.\. *применить твики$' <<<"$out" || return 1
  done
  version=$(sed -n 's/^project(Vantorix VERSION \([0-9.]*\).*/\1/p' "$E2E_ROOT/CMakeLists.txt")
  [ -n "$version" ] && [ "$(vx --version)" = "vxctl $version" ]
}
check "help prints the usage with exit 0, --version the project's version" help_and_version

# --- categories ---------------------------------------------------------------------------------
category_run() {
  local out; out=$(vx category NETWORK apply) || return 1
  grep -qx "Применение завершено: [0-9]* ок, 0 ошибок, [0-9]* пропущено" <<<"$out" &&
    [ "$(reg_dword "$PROFILE" SystemResponsiveness)" = 0x0 ] || return 1
  out=$(vx category network revert) || return 1
  grep -qx "Откат завершён: [0-9]* ок, 0 ошибок, [0-9]* пропущено" <<<"$out" &&
    [ "$(reg_dword "$PROFILE" SystemResponsiveness)" = 0x14 ]
}
check "category apply and revert" category_run

# --- profile dry run ----------------------------------------------------------------------------
profile_dry_run() {
  local before out; before=$(reg_dword "$PRIORITY" Win32PrioritySeparation)
  out=$(vx profile optimal --dry-run) || return 1
  grep -q "^Профиль «Оптимальная»: [0-9]* твиков" <<<"$out" &&
    grep -q "^power.high${TAB}2${TAB}" <<<"$out" && grep -q "^perf.priorityseparation${TAB}2${TAB}" <<<"$out" &&
    ! grep -q "^perf.sysmain${TAB}" <<<"$out" && ! grep -q "^system.spooler${TAB}" <<<"$out" &&
    [ "$(reg_dword "$PRIORITY" Win32PrioritySeparation)" = "$before" ] && [ "$before" != 0x26 ] &&
    [ ! -d "$BACKUPS" ]
}
check "profile dry run lists the profile and changes nothing" profile_dry_run

# --- aggressive apply with its safety net -------------------------------------------------------
# The first aggressive tweak Wine can apply; pro.gpu_tdr only writes registry values, so prefer it.
aggressive=$(vx list | awk -F'\t' '$4 == "aggressive" && $5 != "Unavailable" { print $1 }' |
  { ids=$(cat); grep -qx pro.gpu_tdr <<<"$ids" && echo pro.gpu_tdr || head -n 1 <<<"$ids"; })

backup_files_sound() {  # folder: every file a UTF-16LE .reg export or the 68-byte note
  local dir="$1" f any=0
  for f in "$dir"/*; do
    [ -f "$f" ] || continue
    any=1
    case "$f" in
      *.reg) [ "$(head -c 2 "$f" | od -An -tx1 | tr -d ' ')" = fffe ] || return 1 ;;
      *.missing.txt) [ "$(cat "$f")" = "Key did not exist at backup time. Restoring means deleting the key." ] &&
                     [ "$(stat -c %s "$f")" = 68 ] || return 1 ;;
      *) return 1 ;;
    esac
  done
  return 0
}

if [ -n "$aggressive" ]; then
  aggressive_apply() {
    local out; out=$(vx apply "$aggressive") || return 1
    grep -q ": применено" <<<"$out" || return 1
    local dirs=("$BACKUPS"/*_"$aggressive")
    [ ${#dirs[@]} -eq 1 ] && [ -d "${dirs[0]}" ] && backup_files_sound "${dirs[0]}" || return 1
    # Wine refuses restore points, so none may be announced.
    ! grep -q "Точка восстановления готова" <<<"$out"
  }
  check "aggressive apply ($aggressive) makes a backup folder first" aggressive_apply
  second_net_own_folder() {
    vx apply "$aggressive" >/dev/null || return 1
    vx apply "$aggressive" >/dev/null || return 1
    local dirs=("$BACKUPS"/*_"$aggressive" "$BACKUPS"/*_"$aggressive"-[0-9]*)
    local real=0 d; for d in "${dirs[@]}"; do [ -d "$d" ] && real=$((real + 1)); done
    [ "$real" -eq 3 ]
  }
  check "every safety net gets its own folder" second_net_own_folder
  check "aggressive tweak reverts" vx revert "$aggressive"
else
  echo "note: the catalogue has no aggressive tweak Wine can apply; backup folder checks skipped"
fi

# --- backup listing -----------------------------------------------------------------------------
backups_listing() {
  local out; out=$(vx backups) || return 1
  if [ -d "$BACKUPS" ] && [ -n "$(ls "$BACKUPS")" ]; then
    local d name
    for d in "$BACKUPS"/*; do
      name=$(basename "$d")
      grep -q "^C:\\\\ProgramData\\\\Vantorix\\\\Backups\\\\$name$" <<<"$out" || return 1
      for f in "$d"/*; do
        [ -f "$f" ] || continue
        grep -q "^  $(basename "$f")${TAB}$(stat -c %s "$f")$" <<<"$out" || return 1
      done
    done
  else
    grep -q "^Бэкапов нет: " <<<"$out"
  fi
}
check "backups lists every run folder and its files" backups_listing

# --- values Windows reads as text, and dates (last: MMCSS is aggressive and makes a backup) ------------------------------------------------------
MOUSE='HKCU\Control Panel\Mouse'
mouse_values_are_text() {
  vx apply system.mouse_accel >/dev/null || return 1
  for name in MouseSpeed MouseThreshold1 MouseThreshold2; do
    [ "$(reg_typed "$MOUSE" "$name")" = "REG_SZ 0" ] || { echo "$name: $(reg_typed "$MOUSE" "$name")"; return 1; }
  done
  [ "$(vx status system.mouse_accel)" = "system.mouse_accel${TAB}Applied" ] || return 1
  vx revert system.mouse_accel >/dev/null || return 1
  [ "$(reg_typed "$MOUSE" MouseSpeed)" = "REG_SZ 1" ] && [ "$(reg_typed "$MOUSE" MouseThreshold1)" = "REG_SZ 6" ] &&
    [ "$(reg_typed "$MOUSE" MouseThreshold2)" = "REG_SZ 10" ]
}
check "mouse acceleration writes the three values as REG_SZ and reverts to 1, 6, 10" mouse_values_are_text

UPDATES='HKLM\SOFTWARE\Microsoft\WindowsUpdate\UX\Settings'
pause_starts_today() {
  vx apply sys.pause_winupdate >/dev/null || return 1
  local today next start end
  today=$(date -u +%Y-%m-%d); next="$(( $(date -u +%Y) + 1 ))"
  for kind in Feature Quality; do
    start=$(reg_typed "$UPDATES" "Pause${kind}UpdatesStartTime"); end=$(reg_typed "$UPDATES" "Pause${kind}UpdatesEndTime")
    [[ "$start" == "REG_SZ ${today}T"*Z ]] || { echo "start: $start"; return 1; }
    [[ "$end" == "REG_SZ ${next}-"*Z ]] || { echo "end: $end"; return 1; }
  done
  vx revert sys.pause_winupdate >/dev/null && [ -z "$(reg_typed "$UPDATES" PauseFeatureUpdatesEndTime)" ]
}
check "the update pause starts today and ends next year" pause_starts_today

GAMES_TASK='HKLM\SOFTWARE\Microsoft\Windows NT\CurrentVersion\Multimedia\SystemProfile\Tasks\Games'
mmcss_background_only_is_text() {
  vx apply pro.mmcss_gaming >/dev/null || return 1
  local shown; shown=$(reg_typed "$GAMES_TASK" "Background Only")
  vx revert pro.mmcss_gaming >/dev/null || return 1
  [ "$shown" = "REG_SZ False" ] || { echo "Background Only: $shown"; return 1; }
}
check "MMCSS Background Only is the text False" mmcss_background_only_is_text

e2e_finish
