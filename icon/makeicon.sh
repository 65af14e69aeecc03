#!/bin/sh
# Draws the program icon, a golden bell on a blue tile, at 256 x 256 with ImageMagick.
# Usage: sh makeicon.sh [output.png]
set -e
out="${1:-Pennibell.png}"
convert -size 256x256 xc:none \
  -fill '#2f6fb5' -stroke '#1d4a7d' -strokewidth 4 -draw "roundrectangle 6,6 249,249 44,44" \
  -stroke none -fill '#ffffff30' -draw "roundrectangle 14,14 241,120 38,38" \
  -fill '#f5c542' -stroke '#8a5a00' -strokewidth 6 \
  -draw "path 'M 128,46 C 84,46 72,92 70,132 C 68,170 56,184 40,198 L 216,198 C 200,184 188,170 186,132 C 184,92 172,46 128,46 Z'" \
  -fill '#8a5a00' -stroke none -draw "roundrectangle 34,194 222,210 8,8" \
  -fill '#f5c542' -stroke '#8a5a00' -strokewidth 5 -draw "circle 128,38 128,26" \
  -fill '#8a5a00' -stroke none -draw "circle 128,220 128,234" \
  -fill '#fff3c4' -draw "path 'M 100,70 C 88,88 86,120 86,150 L 98,150 C 98,118 102,92 112,74 Z'" \
  -depth 8 "$out"
