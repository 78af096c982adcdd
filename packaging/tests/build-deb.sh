#!/usr/bin/env bash
# Builds the .deb afresh: build-deb.sh CPACK CPACK_CONFIG OUTPUT_DIR
set -euo pipefail
cpack=$1 config=$2 out=$3
rm -f "$out"/tavrilo_*.deb
"$cpack" -G DEB --config "$config" -B "$out"
