#!/usr/bin/env bash
# Release artefacts from the windows build: dist/Vantorix-<version>-portable.zip (the executables
# and a Russian README.txt), dist/Vantorix-<version>-setup.exe (64-bit NSIS installer with its
# uninstaller) and dist/SHA256SUMS. The version is the one CMake wrote into the build.
#
# Usage: bash scripts/package.sh [--no-build]
#   --no-build        package what build/windows holds; without it the windows preset's programs
#                     are brought up to date first (the same build the test command makes)
# Environment (for the packaging test; a release uses the defaults):
#   VX_BUILD_DIR      the Windows build to package (default build/windows; implies --no-build)
#   VX_DIST_DIR       where the artefacts go (default dist)
#   VX_PACKAGE_EXES   the executables, the window program first (default "Vantorix.exe vxctl.exe")
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

build=yes
for arg in "$@"; do
  case "$arg" in
    --no-build) build=no ;;
    *) echo "usage: bash scripts/package.sh [--no-build]" >&2; exit 2 ;;
  esac
done
if [ -n "${VX_BUILD_DIR:-}" ]; then build=no; fi
build_dir=$(realpath -m -- "${VX_BUILD_DIR:-build/windows}")
dist_dir=$(realpath -m -- "${VX_DIST_DIR:-dist}")
read -r -a exes <<<"${VX_PACKAGE_EXES:-Vantorix.exe vxctl.exe}"
[ ${#exes[@]} -ge 1 ] || { echo "package: no executables to package" >&2; exit 2; }
for exe in "${exes[@]}"; do
  [[ "$exe" =~ ^[A-Za-z0-9_.-]+\.exe$ ]] || { echo "package: '$exe' is not an executable's file name" >&2; exit 2; }
done
[ "${exes[*]}" = "Vantorix.exe vxctl.exe" ] ||
  echo "package: note: packaging only ${exes[*]} (VX_PACKAGE_EXES); not a release" >&2

fail() { echo "package: $*" >&2; exit 1; }

bash scripts/setup.sh
if [ "$build" = yes ]; then
  targets=()
  for exe in "${exes[@]}"; do targets+=(--target "${exe%.exe}"); done
  bash scripts/build.sh windows "${targets[@]}"
fi

# --- the version the executables were built with ---------------------------------------------
version_header="$build_dir/generated/base/version.h"
[ -f "$version_header" ] || fail "no $version_header: configure the windows preset first"
version=$(sed -n 's/^#define VX_VERSION_TEXT "\(.*\)"$/\1/p' "$version_header")
[[ "$version" =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]] ||
  fail "the version in $version_header is '$version', not MAJOR.MINOR.PATCH"

# Every executable must be a 64-bit Windows program carrying this very version: a stale one
# from an earlier build would ship under a wrong name.
for exe in "${exes[@]}"; do
  path="$build_dir/$exe"
  [ -f "$path" ] || fail "$path is missing"
  x86_64-w64-mingw32-objdump -f "$path" 2>/dev/null | grep -q 'file format pei-x86-64' ||
    fail "$path is not a 64-bit Windows executable"
  block=$(python3 scripts/pe_version.py "$path") || fail "$path has no version block"
  grep -qx "FixedFileVersion $version.0" <<<"$block" && grep -qx "ProductVersion $version" <<<"$block" ||
    fail "$path carries another version than $version:"$'\n'"$block"
done

# --- staging ----------------------------------------------------------------------------------
mkdir -p "$root/build"
work=$(mktemp -d "$root/build/package.XXXXXX")
trap 'rm -rf -- "$work"' EXIT
name="Vantorix-$version"
stage="$work/$name"
mkdir -p "$stage"
for exe in "${exes[@]}"; do cp -- "$build_dir/$exe" "$stage/$exe"; done
# Windows Notepad wants CR LF; the byte order mark makes older ones read UTF-8.
{ printf '\xef\xbb\xbf'; sed -e "s/@VERSION@/$version/g" -e 's/$/\r/' installer/README.txt; } >"$stage/README.txt"
shipped=("${exes[@]}" README.txt)
# Same inputs, same archive: the times of the files are those of the last commit.
epoch=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || date +%s)}
touch -d "@$epoch" "$stage" "${shipped[@]/#/$stage/}"

zip_name="$name-portable.zip"
setup_name="$name-setup.exe"
(cd "$work" && TZ=UTC zip -q -X -9 "$work/$zip_name" "$name/" "${shipped[@]/#/$name/}")

# The installer's file list, for the install and uninstall sections alike.
nsis_path() { printf '%s' "$1" | sed 's/\$/$$/g'; }
{
  echo "!define VX_PROGRAM \"${exes[0]}\""
  echo '!macro VxInstallFiles'
  for file in "${shipped[@]}"; do echo "  File \"$(nsis_path "$stage/$file")\""; done
  echo '!macroend'
  echo '!macro VxUninstallFiles'
  for file in "${shipped[@]}"; do echo "  Delete \"\$INSTDIR\\$file\""; done
  echo '!macroend'
  echo '!macro VxFindLeftFiles VAR'
  for file in "${shipped[@]}"; do
    echo "  \${If} \${FileExists} \"\$INSTDIR\\$file\""
    echo "    StrCpy \${VAR} \"\${VAR}\$INSTDIR\\$file\$\\r\$\\n\""
    echo '  ${EndIf}'
  done
  echo '!macroend'
} >"$work/files.nsh"
makensis -V2 -WX -INPUTCHARSET UTF8 \
  "-DVX_VERSION=$version" "-DVX_STAGE=$work" "-DVX_OUTFILE=$work/$setup_name" \
  installer/vantorix.nsi
x86_64-w64-mingw32-objdump -f "$work/$setup_name" | grep -q 'file format pei-x86-64' ||
  fail "makensis did not produce a 64-bit installer"

# --- into dist/, all or nothing -------------------------------------------------------------------
(cd "$work" && sha256sum "$zip_name" "$setup_name" >SHA256SUMS)
mkdir -p "$dist_dir"
rm -f -- "$dist_dir"/Vantorix-*-portable.zip "$dist_dir"/Vantorix-*-setup.exe "$dist_dir/SHA256SUMS"
mv -- "$work/$zip_name" "$work/$setup_name" "$work/SHA256SUMS" "$dist_dir/"
for file in "$zip_name" "$setup_name"; do
  printf 'package: %s  %s bytes\n' "$dist_dir/$file" "$(stat -c %s "$dist_dir/$file")"
done
echo "package: $dist_dir/SHA256SUMS"
