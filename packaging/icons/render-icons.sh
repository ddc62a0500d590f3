#!/bin/sh
# Draws the PNG sizes of the program's icon with ImageMagick's own primitives (the same picture
# as selvane.svg, which ImageMagick cannot read without an SVG delegate). Run by hand after a
# change of the picture; the PNGs are kept in the tree so that building needs no drawing tool.
set -e
cd "$(dirname "$0")"
big=$(mktemp --suffix=.png)
trap 'rm -f "$big"' EXIT
convert -size 256x256 xc:none \
  -fill '#6b3fa0' -draw 'roundrectangle 8,8 247,247 40,40' \
  -fill '#ffffff' -draw 'polygon 128,40 224,124 32,124' -draw 'rectangle 60,118 195,211' \
  -fill '#6b3fa0' -draw 'rectangle 112,150 143,211' \
  -fill '#b99ad9' -draw 'rectangle 76,140 99,163' \
  -fill '#2e9d57' -stroke '#ffffff' -strokewidth 8 -draw 'circle 192,192 192,146' \
  -fill none -strokewidth 12 -draw 'stroke-linecap round stroke-linejoin round polyline 170,192 186,208 214,176' \
  "$big"
for size in 16 24 32 48 64 128 256; do
  mkdir -p "hicolor/${size}x${size}/apps"
  convert "$big" -resize "${size}x${size}" -strip "PNG32:hicolor/${size}x${size}/apps/selvane.png"
done
