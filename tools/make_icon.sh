#!/usr/bin/env bash
# Draws the program's icon, in the cover's colours (the green pitch, a slip
# with its red head and crosses, the ball), at every size the desktop uses:
# `tools/make_icon.sh resources/icons` makes the PNG files again (ImageMagick).
set -euo pipefail
out=$1
boxes=""; marks=""
picks=(0 1 2 0 2 1)  # the column marked in each of the six rows
for r in 0 1 2 3 4 5; do
  for c in 0 1 2; do
    x=$((98 + c * 36)); y=$((82 + r * 26))
    boxes+="rectangle $x,$y $((x + 24)),$((y + 18)) "
    if [ "${picks[$r]}" -eq "$c" ]; then
      marks+="line $((x + 4)),$((y + 3)) $((x + 20)),$((y + 15)) line $((x + 20)),$((y + 3)) $((x + 4)),$((y + 15)) "
    fi
  done
done
master=$(mktemp --suffix=.png)
trap 'rm -f "$master"' EXIT
convert -size 256x256 radial-gradient:'rgb(52,150,52)-rgb(12,52,12)' \
  \( -size 256x256 xc:none -fill white -draw 'roundrectangle 0,0 255,255 44,44' \) \
  -compose CopyOpacity -composite -compose Over \
  \( -size 256x256 xc:none \
     -fill 'rgba(0,0,0,0.35)' -draw 'roundrectangle 84,34 228,246 8,8' \
     -fill 'rgb(250,244,236)' -draw 'roundrectangle 78,28 222,240 8,8' \
     -fill 'rgb(204,32,40)' -draw 'roundrectangle 78,28 222,70 8,8' -draw 'rectangle 78,56 222,70' \
     -fill none -stroke 'rgb(204,32,40)' -strokewidth 3 -draw "$boxes" \
     -stroke 'rgb(30,30,60)' -strokewidth 4 -draw "$marks" \
     -virtual-pixel transparent -distort SRT 8 \) -composite \
  \( -size 256x256 xc:none \
     -fill 'rgba(0,0,0,0.35)' -draw 'circle 74,196 74,250' \
     -fill white -stroke 'rgb(40,40,40)' -strokewidth 3 -draw 'circle 68,190 68,242' \
     -fill 'rgb(30,30,30)' -stroke none \
     -draw 'polygon 68,172 86,185 79,206 57,206 50,185' \
     -draw 'polygon 68,138 82,140 76,152 60,152 54,140' \
     -draw 'polygon 110,176 118,190 116,208 106,200 104,184' \
     -draw 'polygon 26,176 32,184 30,200 20,208 18,190' \
     -draw 'polygon 48,232 58,222 78,222 88,232 68,242' \) -composite \
  -strip "$master"
for size in 16 24 32 48 64 128 256; do
  convert "$master" -resize "${size}x${size}" -strip "$out/$size.png"
done
