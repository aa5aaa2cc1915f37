#!/usr/bin/env bash
# Shows every styled page control in one window (controls_gallery of the
# x86_64 build) under a throw-away Wine prefix and Xvfb display, and saves a
# screenshot of the display.
#
#   uninstaller/controls/tests/show-controls.sh [OUTPUT.png]
set -euo pipefail
root=$(cd "$(dirname "$0")/../../.." && pwd)
gallery=$root/build/win64/uninstaller/controls/controls_gallery.exe
out=${1:-$root/screenshots/page-controls.png}
[ -f "$gallery" ] || { echo "build it first: make win64" >&2; exit 1; }
mkdir -p "$(dirname "$out")"
out=$(cd "$(dirname "$out")" && pwd)/$(basename "$out")

# The gallery closes itself after 8 seconds; the shot is taken while it is up.
"$root/tools/wine-env.sh" bash -c '
  "$WINE" "$1" 8 &
  gallery=$!
  sleep 5
  import -window root "$2"
  wait "$gallery"
' show-controls "$gallery" "$out"
echo "wrote $out"
