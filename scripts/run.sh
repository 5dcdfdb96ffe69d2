#!/usr/bin/env bash
# The main job: build the Windows program and run it in the project's own Wine prefix
# (build/wine-prefix, reporting Windows 10).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
bash scripts/setup.sh
bash scripts/build.sh windows --target vxctl
source scripts/wine_env.sh
if [ -d "$root/build/wine-prefix" ]; then
  export WINEPREFIX="$root/build/wine-prefix"
else
  wine_prefix_create "$root/build/wine-prefix"
fi
trap wine_prefix_stop EXIT
# Until the window program exists: the host facts the platform layer reads, then the catalogue with
# each tweak's current state.
wine build/windows/vxctl.exe host
echo
wine build/windows/vxctl.exe list
