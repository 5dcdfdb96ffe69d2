#!/usr/bin/env bash
# The maintenance, monitor and booster verbs of vxctl in a fresh Wine prefix: `clean temp` deletes
# the files put into the prefix's Temp folder, counts them and leaves the target of a symlink in
# Temp alone, also a read-only file; with TMP and TEMP set to C:\ it deletes nothing outside a Temp
# folder; `clean dns` and `clean bin` report success; `monitor --samples 3` prints three load
# lines; `boost --seconds 5` prints its status and ends with the engine off.
set -uo pipefail
source "$(dirname "$0")/lib.sh"
e2e_prefix vxctl-services

temp_unix=$(winepath -u "$(wine cmd /c echo %TEMP% 2>/dev/null | tr -d '\r')" 2>/dev/null)
outside="$WINEPREFIX/drive_c/vx-outside"

clean_temp() {
  [ -d "$temp_unix" ] || { echo "no Temp folder: '$temp_unix'"; return 1; }
  mkdir -p "$temp_unix/vx-e2e/sub" "$outside"
  head -c 1572864 /dev/zero >"$temp_unix/vx-e2e/big.bin"
  echo a >"$temp_unix/vx-e2e/sub/a.txt"
  echo b >"$temp_unix/vx-e2e/b.txt"
  echo r >"$temp_unix/vx-e2e/ro.txt"
  wine attrib +r "$(winepath -w "$temp_unix/vx-e2e/ro.txt" 2>/dev/null)" >/dev/null 2>&1
  echo keep >"$outside/keep.txt"
  ln -s "$outside" "$temp_unix/vx-e2e/link-out"
  local out rc
  out=$(vx clean temp); rc=$?
  [ "$rc" -eq 0 ] || { echo "exit $rc: $out"; return 1; }
  [ ! -e "$temp_unix/vx-e2e/ro.txt" ] || { echo "the read-only file is left"; return 1; }
  local deleted freed
  deleted=$(sed -n 's/^Удалено файлов: \([0-9 ]*\), освобождено: \([0-9 ]*\) МБ$/\1/p' <<<"$out" | tr -d ' ')
  freed=$(sed -n 's/^Удалено файлов: \([0-9 ]*\), освобождено: \([0-9 ]*\) МБ$/\2/p' <<<"$out" | tr -d ' ')
  [ -n "$deleted" ] && [ "$deleted" -ge 4 ] && [ "$freed" -ge 1 ] || { echo "unexpected: $out"; return 1; }
  [ ! -e "$temp_unix/vx-e2e/big.bin" ] && [ ! -e "$temp_unix/vx-e2e/sub" ] || { echo "files left in Temp"; return 1; }
  [ -L "$temp_unix/vx-e2e/link-out" ] || { echo "the link was removed"; return 1; }
  [ "$(cat "$outside/keep.txt" 2>/dev/null)" = keep ] || { echo "the link's target lost its file"; return 1; }
}
check "clean temp deletes and counts our files and skips a symlink" clean_temp
rm -f "$temp_unix/vx-e2e/link-out"

# TMP and TEMP set to the drive root, as some users do: the user's part is skipped, and only the
# Windows folder's own Temp and Prefetch are cleaned. Canary files elsewhere on the drive stay.
temp_at_drive_root() {
  local drive="$WINEPREFIX/drive_c" bat="$WINEPREFIX/drive_c/vx-root-temp.bat" out
  mkdir -p "$drive/vx-canary/deep" "$drive/windows/temp"
  echo keep >"$drive/vx-canary.txt"
  echo keep >"$drive/vx-canary/deep/keep.txt"
  echo keep >"$drive/users/vx-canary.txt"
  echo gone >"$drive/windows/temp/vx-windows-temp.tmp"
  printf '@set TMP=C:\\\r\n@set TEMP=C:\\\r\n@"%s" clean temp\r\n' "$(winepath -w "$BUILD_DIR/vxctl.exe")" >"$bat"
  out=$(wine cmd /c 'C:\vx-root-temp.bat' 2>/dev/null | tr -d '\r') || { echo "exit $?: $out"; return 1; }
  grep -q '^Удалено файлов: ' <<<"$out" || { echo "unexpected: $out"; return 1; }
  for f in vx-canary.txt vx-canary/deep/keep.txt users/vx-canary.txt vx-root-temp.bat; do
    [ -e "$drive/$f" ] || { echo "deleted outside a Temp folder: C:\\$f ($out)"; return 1; }
  done
  [ -e "$drive/windows/system32/kernel32.dll" ] || { echo "system32 lost a file"; return 1; }
  [ ! -e "$drive/windows/temp/vx-windows-temp.tmp" ] || { echo "the Windows Temp folder was not cleaned"; return 1; }
}
check "clean temp with TMP and TEMP at C:\\ deletes nothing outside a Temp folder" temp_at_drive_root

shell_actions() {
  local out
  out=$(vx clean dns) && [ "$out" = "DNS-кэш сброшен" ] || { echo "dns: $out"; return 1; }
  out=$(vx clean bin) && [ "$out" = "Корзина очищена" ] || { echo "bin: $out"; return 1; }
  vx clean everything >/dev/null 2>&1; [ $? -eq 2 ] || { echo "an unknown action is not a usage error"; return 1; }
}
check "clean dns and clean bin report success; a wrong action is a usage error" shell_actions

monitor_samples() {
  local out; out=$(vx monitor --samples 3) || return 1
  [ "$(wc -l <<<"$out")" -eq 3 ] &&
    [ "$(grep -Ec '^ЦП: ([0-9]|[1-9][0-9]|100)%  •  ГП: 0%  •  ОЗУ: ([1-9]|[1-9][0-9]|100)%$' <<<"$out")" -eq 3 ] ||
    { printf '%s\n' "$out"; return 1; }
}
check "monitor --samples 3 prints three load lines" monitor_samples

boost_seconds() {
  local out start end; start=$(date +%s)
  out=$(vx boost --seconds 5) || { echo "exit $?: $out"; return 1; }
  end=$(date +%s)
  grep -Eq '^Движок: вкл  •  ОЗУ: [0-9]+%  •  Таймер 0\.5ms: (ожидает|активен)  •  Игра: (нет|найдена)  •  Очисток standby: [0-9]+$' <<<"$out" &&
    [ "$(tail -n 1 <<<"$out")" = "Движок выключен" ] && [ $((end - start)) -lt 15 ] || { printf '%s\n' "$out"; return 1; }
}
check "boost --seconds 5 prints its status and stops cleanly" boost_seconds

e2e_finish
