#!/bin/sh
# Renders the icon drawing into the PNG sizes of the hicolor theme
# (ImageMagick with its SVG delegate).
set -eu
cd "$(dirname "$0")"
for size in 16 24 32 48 64 128 256; do
  convert -background none -density $((size * 9)) org.jotwell.JotwellPro.svg -resize "${size}x${size}" \
    "PNG32:org.jotwell.JotwellPro-$size.png"
done
