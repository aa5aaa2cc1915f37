#!/usr/bin/env bash
# Draws the eight icons that a page's icon control shows by name and writes
# them as multi-size icon files (48, 32, 24 and 16 pixels) next to the
# controls that use them. Each picture says what its name says: info,
# typical, minimal, error, folder, setup, custom and exclamation.
set -euo pipefail
out=${1:-$(dirname "$0")/../../uninstaller/controls/icons}
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Each picture is drawn once at 256 x 256 and scaled down for every size.
draw() {
  local name=$1
  shift
  convert -size 256x256 xc:none "$@" "$work/$name.png"
  local files=()
  for s in 48 32 24 16; do
    convert "$work/$name.png" -resize "${s}x${s}" "$work/$name-$s.png"
    files+=("$work/$name-$s.png")
  done
  convert "${files[@]}" "$out/$name.ico"
  echo "wrote $out/$name.ico"
}

# A gear's teeth: eight bars turned round the centre.
gear_teeth=""
for angle in 0 45 90 135; do
  gear_teeth+="push graphic-context translate 128,128 rotate $angle "
  gear_teeth+="roundrectangle -22,-118 22,118 8,8 roundrectangle -118,-22 118,22 8,8 pop graphic-context "
done

# Info: a blue disc with a white "i".
draw page_info \
  -fill '#1d5fbf' -draw 'circle 128,128 128,10' \
  -fill '#ffffff' -draw 'circle 128,72 128,52' \
  -draw 'roundrectangle 108,104 148,206 10,10'

# Typical: a green sheet with a check mark, the usual choice.
draw page_typical \
  -fill '#2e8b3e' -draw 'roundrectangle 16,16 239,239 36,36' \
  -stroke '#ffffff' -strokewidth 34 -fill none \
  -draw 'stroke-linecap round stroke-linejoin round polyline 66,132 108,176 190,84'

# Minimal: a sheet with a single short line, the least there is.
draw page_minimal \
  -fill '#f2f2f2' -stroke '#5a6b7d' -strokewidth 12 -draw 'roundrectangle 34,14 222,242 18,18' \
  -stroke none -fill '#5a6b7d' -draw 'roundrectangle 70,112 150,144 10,10'

# Error: a red disc with a white cross.
draw page_error \
  -fill '#c62828' -draw 'circle 128,128 128,10' \
  -stroke '#ffffff' -strokewidth 36 -draw 'line 82,82 174,174' -draw 'line 174,82 82,174'

# Folder: a yellow folder with its tab.
draw page_folder \
  -fill '#c98d14' -draw 'roundrectangle 14,48 110,92 12,12' \
  -draw 'roundrectangle 14,70 242,222 14,14' \
  -fill '#f2bd3a' -draw 'polygon 14,222 40,104 250,104 242,222'

# Setup: a grey gear.
draw page_setup \
  -fill '#607080' -draw "$gear_teeth" \
  -draw 'circle 128,128 128,38' \
  -fill '#ffffff' -draw 'circle 128,128 128,96'

# Custom: three sliders set at different places, to choose for oneself.
draw page_custom \
  -fill '#f2f2f2' -stroke '#3b4f8f' -strokewidth 12 -draw 'roundrectangle 14,14 242,242 24,24' \
  -stroke none -fill '#3b4f8f' \
  -draw 'rectangle 46,62 210,74' -draw 'rectangle 46,122 210,134' -draw 'rectangle 46,182 210,194' \
  -fill '#e0662a' \
  -draw 'roundrectangle 80,44 110,92 8,8' -draw 'roundrectangle 160,104 190,152 8,8' \
  -draw 'roundrectangle 110,164 140,212 8,8'

# Exclamation: a yellow warning triangle with a black "!".
draw page_exclamation \
  -fill '#f5c000' -stroke '#7a5c00' -strokewidth 10 -draw 'polygon 128,14 246,234 10,234' \
  -stroke none -fill '#1a1a1a' \
  -draw 'roundrectangle 114,78 142,170 10,10' -draw 'circle 128,200 128,184'
