#!/usr/bin/env bash
# Renders the application icon's PNG sizes from quorvex.svg (ImageMagick).
# The PNGs are kept in the tree; run this after changing the drawing.
set -euo pipefail
cd "$(dirname "$0")"
for s in 16 32 48 64 128 256; do
  convert -background none -density 300 quorvex.svg -resize "${s}x${s}" -depth 8 "quorvex-$s.png"
done
