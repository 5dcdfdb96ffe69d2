#!/usr/bin/env bash
# Configures and builds one preset: native, native-asan, native-tsan or windows.
set -euo pipefail
cd "$(dirname "$0")/.."
preset="$1"; shift || true
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j"$(nproc)" "$@"
