#!/usr/bin/env bash
# Redraws the checked-in PNG icons from tavrilo.svg (needs rsvg-convert from librsvg2-bin).
# Run it after changing the SVG; the build itself uses the PNGs as they are.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
for size in 48 64 128 256; do
  rsvg-convert --width "$size" --height "$size" "$here/tavrilo.svg" --output "$here/tavrilo-$size.png"
done
