#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the engine, window, shell,
# end-to-end and packaging tests; the engine tests cross-built for Windows and run under Wine;
# then the engine tests again under AddressSanitizer and UBSan.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
jobs=$(nproc)
"$root/scripts/install-deps.sh"

# Tests and benchmarks are switched on explicitly: scripts/run.sh may have left them off in build/.
cmake -S "$root" -B "$root/build" -DTAVRILO_BUILD_TESTS=ON -DTAVRILO_BUILD_BENCH=ON >/dev/null
cmake --build "$root/build" -j"$jobs"
ctest --test-dir "$root/build" --output-on-failure --no-tests=error -j"$jobs"

bash "$root/scripts/windows-check.sh"

cmake -S "$root" -B "$root/build-asan" -DTAVRILO_ENGINE_ONLY=ON -DTAVRILO_BUILD_BENCH=OFF \
  -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer" >/dev/null
cmake --build "$root/build-asan" -j"$jobs"
ctest --test-dir "$root/build-asan" --output-on-failure --no-tests=error -j"$jobs"
