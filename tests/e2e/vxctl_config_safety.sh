#!/usr/bin/env bash
# Config-file tweaks that keep the player's own settings, from the command line in a fresh Wine
# prefix: a revert weeks later keeps a bind the game wrote since, a UTF-16 GameUserSettings.ini
# comes back byte for byte, a read-only config stays read-only, a written file the player edited
# comes back only with revert --force, and an apply and a revert started a few milliseconds apart
# never lose the original of a 2 MB config.
set -uo pipefail
source "$(dirname "$0")/lib.sh"
e2e_prefix vxctl-config-safety

RUST="$WINEPREFIX/drive_c/SteamLibrary/steamapps/common/Rust"
CFG="$RUST/cfg/client.cfg"
mkdir -p "$RUST/cfg"
printf 'MZ' >"$RUST/RustClient.exe"
printf '// mine\r\ngraphics.fov "75"\r\nbind f1 consoletoggle\r\n' >"$CFG"

weeks_later_revert_keeps_the_new_bind() {
  vx apply game.rust.visuals >/dev/null || return 1
  # The game rewrites client.cfg weeks later with a bind of the player's.
  printf 'bind mouse5 +duck\r\n' >>"$CFG"
  vx revert game.rust.visuals >/dev/null || return 1
  [ "$(cat "$CFG")" = $'// mine\r\ngraphics.fov "75"\r\nbind f1 consoletoggle\r\nbind mouse5 +duck\r' ] &&
    [ ! -e "$CFG.vx.bak" ] || { od -c "$CFG" | head; return 1; }
}
check "a revert weeks later keeps the bind the game wrote since and puts the tweak's keys back" \
  weeks_later_revert_keeps_the_new_bind

LOCAL=$(wine cmd /c echo %LOCALAPPDATA% 2>/dev/null | tr -d '\r')
GUS_WIN="$LOCAL\\TslGame\\Saved\\Config\\WindowsNoEditor\\GameUserSettings.ini"
GUS=$(winepath -u "$GUS_WIN" 2>/dev/null)
utf16_round_trip() {
  mkdir -p "$(dirname "$GUS")"
  printf '[/Script/Engine.GameUserSettings]\r\nFullscreenMode=1\r\nResolutionSizeX=1920\r\n' |
    iconv -f ASCII -t UTF-16LE | { printf '\xff\xfe'; cat; } >"$GUS"
  cp "$GUS" "$GUS.orig"
  vx apply game.pubg.gameusersettings >/dev/null || return 1
  iconv -f UTF-16 -t UTF-8 "$GUS" | tr -d '\r' | grep -qx 'FullscreenMode=0' || { od -c "$GUS" | head; return 1; }
  vx revert game.pubg.gameusersettings >/dev/null || return 1
  cmp "$GUS.orig" "$GUS"
}
check "a UTF-16 GameUserSettings.ini is edited as UTF-16 and comes back byte for byte" utf16_round_trip

WIN_CFG='C:\SteamLibrary\steamapps\common\Rust\cfg\client.cfg'
read_only_flag() {  # the attribute letters attrib prints before the path
  local attr; attr=$(wine attrib "$WIN_CFG" 2>/dev/null | tr -d '\r')
  grep -q R <<<"${attr%%C:*}"
}
read_only_stays_read_only() {
  wine attrib +r "$WIN_CFG" >/dev/null 2>&1
  read_only_flag || { echo "attrib +r did not take"; return 1; }
  vx apply game.rust.visuals || return 1
  read_only_flag || { echo "not read-only after apply"; return 1; }
  vx revert game.rust.visuals || return 1
  read_only_flag || { echo "not read-only after revert"; return 1; }
  wine attrib -r "$WIN_CFG" >/dev/null 2>&1
}
check "a read-only config is edited and stays read-only (attrib)" read_only_stays_read_only

# A whole written file (CS2's autoexec.cfg) that the player edited since apply: a plain revert
# refuses, says so and keeps the file and its backup; --force puts the backup back whole.
CS2_CFG="$WINEPREFIX/drive_c/SteamLibrary/steamapps/common/Counter-Strike Global Offensive/game/csgo/cfg"
written_file_revert_needs_force() {
  mkdir -p "$CS2_CFG"
  printf 'bind mouse4 +voice\r\n' >"$CS2_CFG/autoexec.cfg"
  vx apply game.cs2.autoexec >/dev/null || return 1
  grep -q '^// Vantorix autoexec' "$CS2_CFG/autoexec.cfg" || { od -c "$CS2_CFG/autoexec.cfg" | head; return 1; }
  printf 'bind x jump\r\n' >>"$CS2_CFG/autoexec.cfg"
  cp "$CS2_CFG/autoexec.cfg" "$CS2_CFG/edited.cfg"
  local out rc
  out=$(vx revert game.cs2.autoexec 2>&1); rc=$?
  [ "$rc" -eq 1 ] || { echo "plain revert: exit $rc"; printf '%s\n' "$out"; return 1; }
  grep -q 'файл изменён после применения — не откачен' <<<"$out" || { printf '%s\n' "$out"; return 1; }
  cmp -s "$CS2_CFG/edited.cfg" "$CS2_CFG/autoexec.cfg" || { echo "plain revert changed the file"; return 1; }
  [ -e "$CS2_CFG/autoexec.cfg.vx.bak" ] || { echo "plain revert dropped the backup"; return 1; }
  out=$(vx revert game.cs2.autoexec --force 2>&1) || { printf '%s\n' "$out"; return 1; }
  [ "$(cat "$CS2_CFG/autoexec.cfg")" = $'bind mouse4 +voice\r' ] || { od -c "$CS2_CFG/autoexec.cfg" | head; return 1; }
  [ ! -e "$CS2_CFG/autoexec.cfg.vx.bak" ] || { echo "backup left after --force"; return 1; }
}
check "an edited autoexec.cfg is kept by revert and restored whole by revert --force" written_file_revert_needs_force

# Two vxctl processes: apply and revert started 0-90 ms apart, ten times, on a 2 MB config. After
# a final revert the original must be there every time.
apply_and_revert_race() {
  { printf '// mine\r\ngraphics.fov "75"\r\n'; head -c 2097152 /dev/zero | tr '\0' 'x' | fold -w 100 | sed 's/$/\r/'; } >"$CFG"
  cp "$CFG" "$RUST/original.cfg"
  local kept=0 round
  for round in 0 1 2 3 4 5 6 7 8 9; do
    vx apply game.rust.visuals >/dev/null 2>&1 &
    local first=$!
    sleep "0.$(printf %03d $((round * 10)))"
    vx revert game.rust.visuals >/dev/null 2>&1
    wait "$first"
    vx revert game.rust.visuals >/dev/null 2>&1
    cmp -s "$RUST/original.cfg" "$CFG" && [ ! -e "$CFG.vx.bak" ] && kept=$((kept + 1))
  done
  echo "rounds 10, originals kept $kept" >"$RUST/race.txt"
  [ "$kept" -eq 10 ]
}
check "apply and revert 0-90 ms apart never lose the original" apply_and_revert_race
cat "$RUST/race.txt"

e2e_finish
