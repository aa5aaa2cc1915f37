#!/usr/bin/env bash
# Shows Pelmora (x86_64 build) on a folder of names from several scripts
# under a throw-away Wine prefix and Xvfb display, renames them, and saves
# screenshots of the main window with the names listed, of the renamed list,
# and of the undo's question.
#
#   renamer/show-pelmora.sh [FONT_FILE...]
#
# Wine draws Japanese and emoji only with a font that has them; font files
# given here (.ttf, .ttc) are put into the prefix's Fonts folder and linked
# to Arial, the face of the lists, as fonts to take the characters it lacks
# from.
# Screenshots go to screenshots/pelmora-*.png.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
program=$root/dist/win64/Pelmora.exe
driver=$root/build/win64/tools/uidriver/uidriver.exe
[ -f "$program" ] && [ -f "$driver" ] || { echo "build it first: make win64" >&2; exit 1; }
mkdir -p "$root/screenshots"

"$root/tools/wine-env.sh" bash -c '
  set -euo pipefail
  program=$1 driver=$2 out=$3
  shift 3
  links=()
  for font in "$@"; do
    cp "$font" "$WINEPREFIX/drive_c/windows/Fonts/"
    links+=("$(basename "$font")")
  done
  if [ ${#links[@]} -gt 0 ]; then
    list=$(IFS=,; echo "${links[*]}")
    "$WINE" reg add "HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontLink\\SystemLink" \
      /v "Liberation Sans" /t REG_MULTI_SZ /s , /d "$list" /f >/dev/null
  fi
  folder=$WINEPREFIX/drive_c/pelmora-show
  mkdir -p "$folder/データ"
  for name in a.txt b.txt c.txt emoji😀.txt naïve.txt Ελληνικά.doc 日本.txt; do
    echo "$name" >"$folder/$name"
  done
  drive() { "$WINE" "$driver" "$@"; }
  shot() { sleep 1; import -window root "$out/pelmora-$1.png"; echo "wrote $out/pelmora-$1.png"; }
  main=(--title "Pelmora 1.0")
  # Started in the folder: the lists open on the current folder of drive C:.
  drive launch --folder "C:\\pelmora-show" --pid-file "$WINE_ENV_SCRATCH/pid" -- "Z:${program//\//\\}" &
  drive wait-window "${main[@]}" >/dev/null
  shot names
  # Text1 (the prefix) is control 104, Command3 ("Rename Now") 105, Command5
  # ("Exit") 107; the undo is system command 16 (0x0010).
  drive set-text "${main[@]}" --id 104 --value Trip
  drive click "${main[@]}" --id 105
  drive answer --title Confirmation --button Yes
  shot renamed
  drive syscommand "${main[@]}" --command 16
  drive wait-box --title Confirmation >/dev/null
  shot undo-question
  drive answer --title Confirmation --button Yes
  shot undone
  drive click "${main[@]}" --id 107
  drive answer --title "Thanks !" --button OK
  wait
' show-pelmora "$program" "$driver" "$root/screenshots" "$@"
