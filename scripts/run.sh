#!/usr/bin/env bash
# Installs what is missing, builds Tavrilo and starts it.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build" -DTAVRILO_BUILD_TESTS=OFF -DTAVRILO_BUILD_BENCH=OFF >/dev/null
cmake --build "$root/build" --target tavrilo -j"$(nproc)"
exec "$root/build/app/tavrilo"
