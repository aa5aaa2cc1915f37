#!/usr/bin/env bash
# Draws the background picture of the sample product's uninstall page, a
# 520 x 340 JPEG: a deep blue header band with soft rings on its right, an
# amber rule under it, a pale body where the status texts stand, and a
# light footer band for the button. The page's texts sit on the flat parts
# and are given the same colours as their backgrounds there.
#
#   make-page-picture.sh OUT.jpg
set -euo pipefail
out=${1:?usage: make-page-picture.sh OUT.jpg}
mkdir -p "$(dirname "$out")"

header='#1F4E79'   # 31,78,121
body='#F8FAFC'     # 248,250,252
footer='#EEF2F7'   # 238,242,247

convert -size 520x340 "xc:$body" \
  -fill "$header" -draw 'rectangle 0,0 519,87' \
  -fill none -stroke '#2B6396' -strokewidth 10 -draw 'circle 470,44 470,104' \
  -stroke '#2A5F90' -strokewidth 6 -draw 'circle 470,44 470,84' \
  -stroke '#336EA6' -strokewidth 3 -draw 'circle 400,-10 400,40' \
  -stroke none -fill "$header" -draw 'rectangle 0,0 340,87' \
  -fill "$body" -draw 'rectangle 0,88 519,245' \
  -fill "$footer" -draw 'rectangle 0,246 519,339' \
  -fill '#F2A541' -draw 'rectangle 0,88 519,91' \
  -fill '#D5DEE8' -draw 'rectangle 0,246 519,246' \
  -quality 92 "$out"
echo "wrote $out"
