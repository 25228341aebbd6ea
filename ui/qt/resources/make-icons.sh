#!/bin/sh
# Renders the PNG icons from the two SVG drawings (needs ImageMagick).
set -e
cd "$(dirname "$0")"
for size in 16 32 48 256; do
  convert -background none -density 300 pladdo.svg -resize "${size}x${size}" \
    "PNG32:pladdo-$size.png"
done
convert -background none -density 300 about.svg -resize 32x32 PNG32:about-32.png
