#!/usr/bin/env bash
# The release artefacts of the windows build: scripts/package.sh writes the portable zip, the
# 64-bit installer and SHA256SUMS (and refuses a build it must not ship); the zip's vxctl.exe
# runs; in a fresh Wine prefix the silent installer puts the files, the shortcut and the
# uninstall entry in place with the build's version, and the silent uninstaller removes them
# again while the user's backups under ProgramData survive.
set -uo pipefail
source "$(dirname "$0")/lib.sh"
source "$E2E_ROOT/scripts/wine_env.sh"
SCRATCH="$E2E_ROOT/build/e2e-package"
inside_build_dir "$SCRATCH" || exit 1
rm -rf -- "$SCRATCH"; mkdir -p "$SCRATCH"

version=$(sed -n 's/^#define VX_VERSION_TEXT "\(.*\)"$/\1/p' "$BUILD_DIR/generated/base/version.h")
[ -n "$version" ] || { echo "FAIL: no version in $BUILD_DIR"; exit 1; }
# The release holds the window program and vxctl. Until the build knows the window program, the
# package is tried with vxctl alone; once the target exists, a missing Vantorix.exe fails here.
if [ -d "$BUILD_DIR/CMakeFiles/Vantorix.dir" ]; then
  exes=(Vantorix.exe vxctl.exe)
else
  exes=(vxctl.exe)
  echo "NOTE: the build has no Vantorix target yet; packaging vxctl.exe alone"
fi
program=${exes[0]}
package() {  # DIST [VAR=VALUE...]: package.sh on $BUILD_DIR into DIST
  local dist="$1"; shift
  env VX_BUILD_DIR="$BUILD_DIR" VX_DIST_DIR="$dist" VX_PACKAGE_EXES="${exes[*]}" "$@" \
    bash "$E2E_ROOT/scripts/package.sh"
}
DIST="$SCRATCH/dist"
ZIP="Vantorix-$version-portable.zip"
SETUP="Vantorix-$version-setup.exe"

# --- the artefacts --------------------------------------------------------------------------------
artefacts_written() {
  package "$DIST" || return 1
  diff <(ls "$DIST") <(printf '%s\n' SHA256SUMS "$SETUP" "$ZIP" | sort) || return 1
  (cd "$DIST" && sha256sum --check --strict SHA256SUMS) || return 1
  [ "$(wc -l <"$DIST/SHA256SUMS")" -eq 2 ] || return 1
  # Wine here runs 64-bit programs only, and so do the users' machines the installer is for.
  x86_64-w64-mingw32-objdump -f "$DIST/$SETUP" | grep -q 'file format pei-x86-64' || return 1
  local block; block=$(python3 "$E2E_ROOT/scripts/pe_version.py" "$DIST/$SETUP") || return 1
  grep -qx "FixedProductVersion $version.0" <<<"$block" && grep -qx "ProductVersion $version" <<<"$block" ||
    { printf '%s\n' "$block"; return 1; }
}
check "package.sh writes the zip, the 64-bit installer and SHA256SUMS named by the build's version" artefacts_written

# A build that lacks a program, or whose programs carry another version than the build, is not
# shipped, and the artefacts already in dist/ stay as they were.
refuses_build() {  # DESCRIPTION EXES HEADER-VERSION
  local fake="$SCRATCH/fake-build" dist="$SCRATCH/refused-dist" out
  rm -rf -- "$fake" "$dist"; mkdir -p "$fake/generated/base" "$dist"
  printf '#define VX_VERSION_TEXT "%s"\n' "$3" >"$fake/generated/base/version.h"
  cp -- "$BUILD_DIR/vxctl.exe" "$fake/"
  echo earlier >"$dist/Vantorix-0.0.1-portable.zip"
  if out=$(VX_BUILD_DIR="$fake" VX_DIST_DIR="$dist" VX_PACKAGE_EXES="$2" bash "$E2E_ROOT/scripts/package.sh" 2>&1); then
    echo "$1: package.sh succeeded"; return 1
  fi
  grep -q "^package: " <<<"$out" || { printf '%s\n' "$out"; return 1; }
  [ "$(ls "$dist")" = Vantorix-0.0.1-portable.zip ] && [ "$(cat "$dist/Vantorix-0.0.1-portable.zip")" = earlier ] ||
    { echo "$1: dist changed:"; ls "$dist"; return 1; }
}
refusals() {
  refuses_build "a missing window program" "Vantorix.exe vxctl.exe" "$version" &&
    refuses_build "vxctl.exe of another version" "vxctl.exe" "9.8.7" &&
    refuses_build "a version header without a version" "vxctl.exe" ""
}
check "package.sh refuses a build without the programs or of another version" refusals

# --- the portable zip -------------------------------------------------------------------------------
e2e_prefix package --server-exits  # run_setup waits for every process with wineserver -w
# The prefix's own temp folder: Wine maps the host root to Z:, so the zip unpacks there.
UNPACKED="$SCRATCH/unpacked"
zip_contents() {
  unzip -q "$DIST/$ZIP" -d "$UNPACKED" || return 1
  diff <(cd "$UNPACKED" && find . -mindepth 1 | sort) \
    <(printf './Vantorix-%s\n' "$version"; printf "./Vantorix-$version/%s\n" "${exes[@]}" README.txt | sort) || return 1
  local readme="$UNPACKED/Vantorix-$version/README.txt"
  # UTF-8 with a byte order mark and CR LF lines, for Notepad; the version filled in.
  [ "$(head -c 3 "$readme" | od -An -tx1 | tr -d ' ')" = efbbbf ] || { echo "no BOM"; return 1; }
  [ "$(grep -c $'\r$' "$readme")" -eq "$(wc -l <"$readme")" ] || { echo "not CR LF"; return 1; }
  [ "$(head -n 1 "$readme" | tail -c +4)" = "Vantorix $version"$'\r' ] || { echo "first line: $(head -n 1 "$readme")"; return 1; }
  grep -q 'ProgramData%\\Vantorix\\Backups' "$readme" &&
    grep -q 'memory\.json' "$readme" && ! grep -q '@VERSION@' "$readme"
}
check "the zip holds the programs and the Russian README.txt in one folder" zip_contents

zip_vxctl_runs() {
  local exe="$UNPACKED/Vantorix-$version/vxctl.exe" out
  [ "$(wine "$exe" --version | tr -d '\r')" = "vxctl $version" ] || return 1
  out=$(wine "$exe" list | tr -d '\r') || return 1
  [ "$(head -n 1 <<<"$out" | cut -f1)" = power.high ] && [ "$(wc -l <<<"$out")" -ge 20 ]
}
check "vxctl.exe from the unpacked zip runs" zip_vxctl_runs

# --- install -----------------------------------------------------------------------------------
UNINSTALL_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vantorix'
PROGRAM_FILES="$WINEPREFIX/drive_c/Program Files"
INSTALLED="$PROGRAM_FILES/Vantorix"
SHORTCUT="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Vantorix.lnk"
VX_DATA="$WINEPREFIX/drive_c/ProgramData/Vantorix"

# The user's data from an earlier run of the program, before anything is installed.
mkdir -p "$VX_DATA/Backups/2024-05-01_10-00-00_perf.gpu_msi"
printf 'Windows Registry Editor Version 5.00\r\n' >"$VX_DATA/Backups/2024-05-01_10-00-00_perf.gpu_msi/001.reg"
printf '{"questions":3}' >"$VX_DATA/memory.json"
data_before=$(cd "$VX_DATA" && find . -type f -exec sha256sum {} + | sort)

run_setup() {  # ARGS...: the installer, silent, and every process it started ended
  wine "$DIST/$SETUP" /S "$@" || return 1
  wineserver -w
}
run_uninstaller() {  # DIR (Windows path): its uninstaller, silent; it restarts itself from %TEMP%
  wine "$1\\uninstall.exe" /S || return 1
  wineserver -w
}
folder_kib() { find "$1" -type f -printf '%s\n' | awk '{ total += $1 } END { print int(total / 1024) }'; }

# The installer is for Windows 10 and 11: on an older system it stops before it changes anything.
refuses_old_windows() {
  wine reg add 'HKCU\Software\Wine' /v Version /d win7 /f >/dev/null 2>&1 || return 1
  wine "$DIST/$SETUP" /S
  local rc=$?
  wineserver -w
  wine reg add 'HKCU\Software\Wine' /v Version /d win10 /f >/dev/null 2>&1 || return 1
  [ $rc -eq 3 ] || { echo "exit status $rc"; return 1; }
  [ ! -e "$INSTALLED" ] && ! wine reg query "$UNINSTALL_KEY" >/dev/null 2>&1 || { echo "installed anyway"; return 1; }
}
check "the installer refuses Windows 7" refuses_old_windows

installed_files() {
  run_setup || return 1
  diff <(ls "$INSTALLED") <(printf '%s\n' "${exes[@]}" README.txt uninstall.exe | sort) || return 1
  for exe in "${exes[@]}"; do
    cmp -s "$INSTALLED/$exe" "$BUILD_DIR/$exe" || { echo "$exe differs from the build"; return 1; }
    python3 "$E2E_ROOT/scripts/pe_version.py" "$INSTALLED/$exe" | grep -qx "ProductVersion $version" ||
      { echo "$exe: not version $version"; return 1; }
  done
}
check "the silent installer puts the programs into Program Files" installed_files

shortcut_made() {
  [ -f "$SHORTCUT" ] || { echo "no $SHORTCUT"; return 1; }
  grep -aqF "C:\\Program Files\\Vantorix\\$program" "$SHORTCUT" || { echo "the shortcut points elsewhere"; return 1; }
}
check "the Start-menu shortcut opens the installed program" shortcut_made

uninstall_entry() {
  local dir='C:\Program Files\Vantorix' want got name
  while IFS='|' read -r name want; do
    got=$(reg_typed "$UNINSTALL_KEY" "$name")
    [ "$got" = "$want" ] || { echo "$name: '$got', want '$want'"; return 1; }
  done <<EOT
DisplayName|REG_SZ Vantorix
DisplayVersion|REG_SZ $version
Publisher|REG_SZ Vantorix
InstallLocation|REG_SZ $dir
DisplayIcon|REG_SZ $dir\\$program,0
UninstallString|REG_SZ "$dir\\uninstall.exe"
QuietUninstallString|REG_SZ "$dir\\uninstall.exe" /S
EOT
  # The size Windows shows is what the folder really holds, in KiB.
  local size; size=$(reg_dword "$UNINSTALL_KEY" EstimatedSize)
  [ -n "$size" ] || { echo "no EstimatedSize"; return 1; }
  size=$((size)); local real; real=$(folder_kib "$INSTALLED")
  [ "$size" -ge $((real - 1)) ] && [ "$size" -le $((real + 1)) ] || { echo "EstimatedSize $size KiB, folder $real KiB"; return 1; }
}
check "the uninstall entry names the version, the uninstaller and the size" uninstall_entry

installed_vxctl_runs() {
  local out
  out=$(cd "$INSTALLED" && wine 'C:\Program Files\Vantorix\vxctl.exe' list | tr -d '\r') || return 1
  [ "$(head -n 1 <<<"$out" | cut -f1)" = power.high ] && [ "$(wc -l <<<"$out")" -ge 20 ] || { printf '%s\n' "$out" | head; return 1; }
}
check "vxctl.exe list runs from the installed folder" installed_vxctl_runs

# --- uninstall ---------------------------------------------------------------------------------
# A file held open (here README.txt, by a command whose input it is) cannot be deleted: the
# uninstaller then keeps itself, the shortcut and the entry, so the user can try again.
uninstall_with_file_in_use() {
  (cd "$INSTALLED" && exec wine cmd /c 'ping -n 6 127.0.0.1 > nul < README.txt') &
  local holder=$!
  sleep 2
  run_uninstaller 'C:\Program Files\Vantorix'
  local rc=$?
  wait "$holder"
  [ $rc -eq 0 ] || return 1
  [ -f "$INSTALLED/README.txt" ] && [ -f "$INSTALLED/uninstall.exe" ] || { echo "left: $(ls "$INSTALLED")"; return 1; }
  [ -f "$SHORTCUT" ] || { echo "the shortcut went"; return 1; }
  [ "$(reg_typed "$UNINSTALL_KEY" DisplayVersion)" = "REG_SZ $version" ] || { echo "the entry went"; return 1; }
}
check "an uninstall that cannot delete a file keeps the entry and the uninstaller" uninstall_with_file_in_use

uninstalled() {
  run_uninstaller 'C:\Program Files\Vantorix' || return 1
  [ ! -e "$INSTALLED" ] || { echo "left: $(ls "$INSTALLED")"; return 1; }
  [ ! -e "$SHORTCUT" ] || { echo "the shortcut is still there"; return 1; }
  ! wine reg query "$UNINSTALL_KEY" >/dev/null 2>&1 || { echo "the entry is still there"; return 1; }
}
check "the silent uninstaller removes the folder, the shortcut and the entry" uninstalled

check "the backups and memory.json under ProgramData survive the uninstall" \
  eval '[ "$(cd "$VX_DATA" && find . -type f -exec sha256sum {} + | sort)" = "$data_before" ]'

# --- a folder of the user's choice --------------------------------------------------------------
# Installed into a folder that already holds a file of the user's; an update without /D goes to
# the same folder; the uninstaller takes only its own files and leaves the folder with the user's.
TOOLS="$WINEPREFIX/drive_c/Tools/Vantorix"
own_folder() {
  mkdir -p "$TOOLS"; echo mine >"$TOOLS/notes.txt"
  run_setup '/D=C:\Tools\Vantorix' || return 1
  [ -f "$TOOLS/$program" ] && [ "$(reg_typed "$UNINSTALL_KEY" InstallLocation)" = 'REG_SZ C:\Tools\Vantorix' ] ||
    { echo "not installed into C:\\Tools\\Vantorix"; return 1; }
  rm -f -- "$TOOLS/README.txt"
  run_setup || return 1
  [ -f "$TOOLS/README.txt" ] && [ ! -e "$INSTALLED" ] || { echo "the update went elsewhere"; return 1; }
  run_uninstaller 'C:\Tools\Vantorix' || return 1
  [ "$(ls "$TOOLS")" = notes.txt ] && [ "$(cat "$TOOLS/notes.txt")" = mine ] || { echo "left: $(ls "$TOOLS")"; return 1; }
  ! wine reg query "$UNINSTALL_KEY" >/dev/null 2>&1 || { echo "the entry is still there"; return 1; }
}
check "an install into the user's folder is updated in place and uninstalled without the user's files" own_folder

e2e_finish
