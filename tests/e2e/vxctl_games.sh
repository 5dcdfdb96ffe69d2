#!/usr/bin/env bash
# The game tweaks from the command line in a fresh Wine prefix: `games` finds a fake Steam library
# on C:, a Rust client.cfg is edited and restored byte for byte, a game that is not installed stays
# unavailable, and the per-executable values reach the real registry.
set -uo pipefail
source "$(dirname "$0")/lib.sh"
e2e_prefix vxctl-games
TAB=$'\t'

RUST="$WINEPREFIX/drive_c/SteamLibrary/steamapps/common/Rust"
mkdir -p "$RUST/cfg"
printf 'MZ' >"$RUST/RustClient.exe"
# A byte-order mark, a byte outside ASCII, LF-only line ends and no final line end: all must survive.
printf '\xef\xbb\xbfgraphics.fov "75"\ninput.sensitivity "0.4"\r\nbind f1 "\xe9"' >"$RUST/cfg/client.cfg"
cp "$RUST/cfg/client.cfg" "$RUST/original.cfg"

games_finds_the_library() {
  local out; out=$(vx games) || return 1
  grep -qx '  RustClient.exe: C:\\SteamLibrary\\steamapps\\common\\Rust\\RustClient.exe' <<<"$out" &&
    grep -qx '  client.cfg: C:\\SteamLibrary\\steamapps\\common\\Rust\\cfg\\client.cfg' <<<"$out" &&
    grep -qx '  cs2.exe: не найдено' <<<"$out" &&
    [ "$(grep -cx 'Rust\|CS2\|Roblox\|Arc Raiders\|PUBG' <<<"$out")" -eq 5 ] || { printf '%s\n' "$out"; return 1; }
}
check "games shows the executable and config found in a fake library" games_finds_the_library

states_follow_discovery() {
  local out; out=$(vx status game.rust.visuals game.fso.RustClient.exe game.cs2.autoexec) || return 1
  [ "$out" = "game.rust.visuals${TAB}NotApplied
game.fso.RustClient.exe${TAB}NotApplied
game.cs2.autoexec${TAB}Unavailable" ] || { printf '%s\n' "$out"; return 1; }
}
check "states follow what discovery finds" states_follow_discovery

rust_round_trip() {
  vx apply game.rust.visuals >/dev/null || return 1
  # The mark is set aside before keys are matched: the first line's fov is replaced behind it.
  grep -q $'^\xef\xbb\xbf''graphics.fov "90"'$'\r''$' "$RUST/cfg/client.cfg" &&
    grep -q '^graphics.fps "0"'$'\r''$' "$RUST/cfg/client.cfg" &&
    cmp -s "$RUST/original.cfg" "$RUST/cfg/client.cfg.vx.bak" &&
    [ "$(vx status game.rust.visuals)" = "game.rust.visuals${TAB}Applied" ] || return 1
  vx revert game.rust.visuals >/dev/null || return 1
  cmp "$RUST/original.cfg" "$RUST/cfg/client.cfg" && [ ! -e "$RUST/cfg/client.cfg.vx.bak" ] &&
    [ "$(vx status game.rust.visuals)" = "game.rust.visuals${TAB}NotApplied" ]
}
check "apply then revert of game.rust.visuals restores client.cfg exactly" rust_round_trip

missing_game_is_unavailable() {
  local out; out=$(vx apply game.cs2.autoexec 2>&1)
  [ $? -eq 1 ] && grep -q 'не поддерживается' <<<"$out"
}
check "a game that is not installed is not applied (status 1)" missing_game_is_unavailable

IFEO='HKLM\SOFTWARE\Microsoft\Windows NT\CurrentVersion\Image File Execution Options\RustClient.exe'
per_executable_values() {
  vx apply game.ifeo.RustClient.exe game.fso.RustClient.exe >/dev/null || return 1
  [ "$(reg_dword "$IFEO\\PerfOptions" CpuPriorityClass)" = 0x3 ] &&
    wine reg query 'HKCU\Software\Microsoft\Windows NT\CurrentVersion\AppCompatFlags\Layers' 2>/dev/null |
      tr -d '\r' | grep -q 'RustClient.exe.*REG_SZ.*DISABLEDXMAXIMIZEDWINDOWEDMODE HIGHDPIAWARE' || return 1
  vx revert game.ifeo.RustClient.exe game.fso.RustClient.exe >/dev/null || return 1
  [ -z "$(reg_dword "$IFEO\\PerfOptions" CpuPriorityClass)" ]
}
check "IFEO priority and compatibility flags reach the registry and go on revert" per_executable_values

mouse_tweaks_agree() {
  vx apply system.mouse_accel game.mouse_raw >/dev/null || return 1
  local out; out=$(vx status system.mouse_accel game.mouse_raw) || return 1
  [ "$out" = "system.mouse_accel${TAB}Applied
game.mouse_raw${TAB}Applied" ] || { printf '%s\n' "$out"; return 1; }
  vx revert game.mouse_raw system.mouse_accel >/dev/null
}
check "system.mouse_accel and game.mouse_raw both read Applied after one apply" mouse_tweaks_agree

list_has_all_tweaks() {
  local out; out=$(vx list) || return 1
  [ "$(wc -l <<<"$out")" -eq 78 ] && [ "$(grep -c '^game\.' <<<"$out")" -eq 28 ]
}
check "list shows all 78 tweaks, 28 of them game tweaks" list_has_all_tweaks

e2e_finish
