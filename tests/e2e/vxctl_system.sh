#!/usr/bin/env bash
# The Windows binaries and the read-only vxctl verbs in a fresh Wine prefix: the executables load
# without MinGW runtime DLLs, `host` prints the facts the platform layer reads, `list` shows the
# whole system catalogue in its order, `hw` and `advice` describe the (Wine) machine.
set -uo pipefail
source "$(dirname "$0")/lib.sh"
e2e_prefix vxctl-system
TAB=$'\t'

# --- static linking -----------------------------------------------------------------------------
# Every DLL an executable imports must be one Windows itself ships in system32; libstdc++,
# libgcc_s or libwinpthread there would mean the program does not start on a user's machine.
imports_only_system_dlls() {
  local exe dll found=0
  for exe in "$BUILD_DIR"/vxctl.exe "$BUILD_DIR"/tests/*.exe "$BUILD_DIR"/bench/*.exe; do
    [ -f "$exe" ] || continue
    found=$((found + 1))
    while read -r dll; do
      if [ -z "$(find "$WINEPREFIX/drive_c/windows/system32" -maxdepth 1 -iname "$dll" -print -quit)" ]; then
        echo "$(basename "$exe") imports $dll, which is not a system DLL"; return 1
      fi
    done < <(x86_64-w64-mingw32-objdump -p "$exe" | awk '/DLL Name:/ { print $3 }')
  done
  [ "$found" -ge 3 ] || { echo "only $found executables found in $BUILD_DIR"; return 1; }
}
check "the Windows executables import system DLLs only" imports_only_system_dlls

# The shipped programs run elevated, often from a Downloads folder: at load time they may import
# only DLLs that Windows never takes from the program's folder — the "known DLLs", and comctl32,
# which the manifest binds to the side-by-side Common Controls 6. Everything else (powrprof, pdh,
# dwmapi, msimg32, SrClient) is loaded at run time from System32.
KNOWN_DLLS="kernel32 user32 gdi32 advapi32 shell32 ole32 oleaut32 msvcrt shlwapi comdlg32 imm32 ws2_32 psapi rpcrt4 setupapi shcore"
imports_only_known_dlls() {
  local exe dll found=0
  for exe in "$BUILD_DIR"/vxctl.exe "$BUILD_DIR"/Vantorix.exe; do
    [ -f "$exe" ] || continue
    found=$((found + 1))
    while read -r dll; do
      dll=$(tr '[:upper:]' '[:lower:]' <<<"${dll%.[dD][lL][lL]}")
      [ "$dll" = comctl32 ] && [ "$(basename "$exe")" = Vantorix.exe ] && continue
      grep -qw "$dll" <<<"$KNOWN_DLLS" || { echo "$(basename "$exe") imports $dll.dll at load time"; return 1; }
    done < <(x86_64-w64-mingw32-objdump -p "$exe" | awk '/DLL Name:/ { print $3 }')
  done
  [ "$found" -ge 1 ]
}
check "the shipped executables import only known DLLs at load time" imports_only_known_dlls

# --- host facts ---------------------------------------------------------------------------------
host_facts() {
  local out; out=$(vx host) || return 1
  grep -q '^Windows: 10\.0\.[0-9]\+$' <<<"$out" &&
    grep -qix 'Системный каталог: C:\\windows\\system32' <<<"$out" &&
    grep -qx 'ProgramData: C:\\ProgramData' <<<"$out" || { printf '%s\n' "$out"; return 1; }
}
check "host prints the Windows version and folders" host_facts

# --- the catalogue in order ---------------------------------------------------------------------
expected_ids=(
  power.high
  perf.gpu_msi perf.pcie_no_aspm perf.no_spectre_meltdown
  perf.usb_power perf.bcd_hpet perf.fso_off perf.shader_cache perf.nv_pstate perf.rebar_status
  perf.system_cache perf.dyn_priority perf.hags perf.hpet_off
  clean.dism_winsxs pro.mmcss_gaming pro.no_throttle pro.gpu_tdr pro.no_cortana pro.no_memcomp
  pro.tcp_autotune pro.no_reserved_storage
  sys.maps_no_autoupdate sys.store_no_autoupdate sys.no_indexing sys.no_ndu sys.pause_winupdate
  sys.no_delivery_opt sys.no_edge_bg sys.no_onedrive
  game.ifeo.RustClient.exe game.ifeo.cs2.exe game.ifeo.RobloxPlayerBeta.exe game.ifeo.ARC-Win64-Shipping.exe
  game.ifeo.TslGame.exe game.fso.RustClient.exe game.fso.cs2.exe game.fso.RobloxPlayerBeta.exe
  game.fso.ARC-Win64-Shipping.exe game.fso.TslGame.exe game.rust.visuals game.cs2.autoexec game.roblox.fflags
  game.arc.engineini game.pubg.engineini game.pubg.gameusersettings game.color.open
  game.kill_gamebar game.nv_no_ulps game.mouse_raw game.clear_shadercache
  game.mit.RustClient.exe game.mit.cs2.exe game.mit.ARC-Win64-Shipping.exe game.mit.TslGame.exe
  perf.priorityseparation perf.visualfx perf.sysmain perf.global_timer system.spooler game.disable_gamedvr game.hwsch
  game.gamemode priv.telemetry priv.diagtrack priv.advertising_id
  net.vip.tcp_latency net.vip.intr_moderation net.vip.disable_eee
  net.no_throttling net.system_responsiveness net.tcp_nodelay system.mouse_accel
  system.ntfs_lastaccess system.long_paths system.show_ext cleanup.clear_recent
  cleanup.no_recent_jumplist
)
catalogue_in_order() {
  local out; out=$(vx list) || return 1
  [ "${#expected_ids[@]}" -eq 78 ] || { echo "expected list holds ${#expected_ids[@]} ids"; return 1; }
  diff <(cut -f1 <<<"$out") <(printf '%s\n' "${expected_ids[@]}") || return 1
  # Every row: id, category, tier 0..3, aggressive flag, a state, a title.
  local bad
  # Per-executable ids keep the executable's letter case ("game.mit.ARC-Win64-Shipping.exe").
  bad=$(grep -Ev "^[A-Za-z0-9_.-]+${TAB}(Performance|Pro|Network|System|Games|Privacy|Cleanup)${TAB}[0-3]${TAB}(aggressive|-)${TAB}(Applied|NotApplied|Unavailable|Undetermined)${TAB}.+$" <<<"$out")
  [ -z "$bad" ] || { echo "malformed rows:"; printf '%s\n' "$bad"; return 1; }
  # Wine reports Windows 10, which has no global timer requests.
  grep -q "^perf\.global_timer${TAB}Performance${TAB}0${TAB}-${TAB}Unavailable${TAB}Глобальный таймер 0\.5 мс$" <<<"$out" ||
    { grep '^perf\.global_timer' <<<"$out"; return 1; }
}
check "list shows the whole system catalogue in order with states" catalogue_in_order

# --- hardware and advice ------------------------------------------------------------------------
hardware_listing() {
  local out; out=$(vx hw) || return 1
  grep -q '^Процессор: .\+, логических ядер: [1-9][0-9]*$' <<<"$out" &&
    grep -q '^Видеоадаптеры: [1-9]' <<<"$out" &&
    grep -q '^Драйверы:$' <<<"$out" &&
    grep -Eq '^Системный диск: (SSD|HDD)$' <<<"$out" || { printf '%s\n' "$out"; return 1; }
}
check "hw prints the profile, the adapters and the drivers" hardware_listing

advice_listing() {
  local out; out=$(vx advice) || return 1
  local count; count=$(sed -n 's/^Рекомендации: \([0-9]\+\)$/\1/p' <<<"$out")
  [ -n "$count" ] && [ "$count" -ge 1 ] &&
    [ "$(grep -Ec '^\[(ВАЖНО|СОВЕТ|ОПЦИЯ)\] ' <<<"$out")" -eq "$count" ] &&
    grep -Eq '^Оценка: ([0-9]|[1-9][0-9]|100)/100 — ' <<<"$out" || { printf '%s\n' "$out"; return 1; }
  # Priorities never rise down the list.
  grep -Eo '^\[(ВАЖНО|СОВЕТ|ОПЦИЯ)\]' <<<"$out" | sed 's/\[ВАЖНО\]/0/; s/\[СОВЕТ\]/1/; s/\[ОПЦИЯ\]/2/' | sort -c -n
}
check "advice lists recommendations by priority and the score" advice_listing

e2e_finish
