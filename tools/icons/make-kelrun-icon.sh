#!/usr/bin/env bash
# Draws kelrun's icon (a product box with a removal arrow) and writes the
# multi-size icon file that the program's resources embed.
set -euo pipefail
out=${1:-$(dirname "$0")/../../uninstaller/app/kelrun.ico}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

convert -size 256x256 xc:none \
  -fill '#1f4e8c' -draw 'roundrectangle 8,8 247,247 40,40' \
  -fill '#e9eef6' -draw 'polygon 64,104 128,72 192,104 128,136' \
  -fill '#c9d6ea' -draw 'polygon 64,104 128,136 128,208 64,176' \
  -fill '#a9bedd' -draw 'polygon 192,104 128,136 128,208 192,176' \
  -fill '#e0483e' -draw 'roundrectangle 150,30 226,70 12,12' \
  -fill '#ffffff' -draw 'rectangle 166,45 210,55' \
  "$work/base.png"

sizes=(16 24 32 48 64 256)
files=()
for s in "${sizes[@]}"; do
  convert "$work/base.png" -resize "${s}x${s}" "$work/icon-$s.png"
  files+=("$work/icon-$s.png")
done
convert "${files[@]}" "$out"
echo "wrote $out"
