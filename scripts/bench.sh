#!/usr/bin/env bash
# Builds the benchmarks in Release and runs them natively (simulated machine) and under Wine (real
# registry in a throwaway prefix). Each line prints a median next to its bare-loop yardstick and
# the ratio (the window's own figures: scripts/bench_window.sh). Directories and parallelism can be
# overridden:
#   BENCH_NATIVE_DIR, BENCH_WIN_DIR, BENCH_PREFIX, JOBS
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
native_dir="${BENCH_NATIVE_DIR:-build/bench-native}"
win_dir="${BENCH_WIN_DIR:-build/bench-windows}"
prefix="${BENCH_PREFIX:-$root/build/bench-prefix}"
jobs="${JOBS:-2}"

bash scripts/setup.sh

echo "=== build native ($native_dir)"
cmake -S . -B "$native_dir" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$native_dir" --target vx_hw_bench vx_assistant_bench vx_games_bench vx_services_bench -j"$jobs" >/dev/null

echo "=== build windows ($win_dir)"
cmake --no-warn-unused-cli -S . -B "$win_dir" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$win_dir" --target vx_hw_bench vx_assistant_bench vx_games_bench vx_services_bench -j"$jobs" >/dev/null

echo "=== native"
"$native_dir/bench/vx_hw_bench"
"$native_dir/bench/vx_assistant_bench"
"$native_dir/bench/vx_games_bench"
"$native_dir/bench/vx_services_bench"

echo "=== wine"
source scripts/wine_env.sh
wine_prefix_create "$prefix"
trap wine_prefix_stop EXIT
wine "$win_dir/bench/vx_hw_bench.exe"
wine "$win_dir/bench/vx_assistant_bench.exe"
wine "$win_dir/bench/vx_games_bench.exe"
wine "$win_dir/bench/vx_services_bench.exe"
