#!/usr/bin/env bash
# Installs the Debian packages the builds and tests need; does nothing when all are present.
set -euo pipefail

packages=(
  cmake make g++ python3
  g++-mingw-w64-x86-64-posix mingw-w64-tools
  wine64 wine xvfb xdotool imagemagick
  fonts-dejavu-core fonts-symbola
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  nsis zip unzip
  nlohmann-json3-dev python3-yaml
)

missing=()
for pkg in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "setup: installing ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
