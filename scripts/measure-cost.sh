#!/usr/bin/env bash
# Measures what running Tavrilo costs: start-up time and peak memory against a minimal Qt
# window, CPU during a three-number draw with the effect, and idle CPU. Both programs are
# built here with the same compiler settings and build type, then run under Xvfb.
# usage: scripts/measure-cost.sh [build-folder] [rounds]   (defaults: build-measure, 10)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$root/build-measure}
rounds=${2:-10}
jobs=$(nproc)

cmake -S "$root" -B "$build/tavrilo" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTAVRILO_BUILD_TESTS=OFF -DTAVRILO_BUILD_BENCH=OFF >/dev/null
cmake --build "$build/tavrilo" --target tavrilo -j"$jobs" >/dev/null
cmake -S "$root/tools/measure" -B "$build/minimal" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build/minimal" -j"$jobs" >/dev/null

exec python3 "$root/tools/measure/measure_cost.py" "$build/tavrilo/app/tavrilo" \
  "$build/minimal/minimal_window" "$rounds"
