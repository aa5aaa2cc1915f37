#!/usr/bin/env bash
# Shows sample pages in the page viewer (x86_64 build) under a throw-away
# Wine prefix and Xvfb display, and saves a screenshot of each.
#
#   tools/pageview/show-pages.sh [PAGE.lcd ...]   default: every sample page
#
# Screenshots go to screenshots/page-NAME.png.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
viewer=$root/dist/win64/pageview.exe
pages=$root/build/win64/tools/pageview/test_pages
[ -f "$viewer" ] && [ -d "$pages" ] || { echo "build it first: make win64" >&2; exit 1; }
mkdir -p "$root/screenshots"
if [ $# -eq 0 ]; then
  set -- "$pages"/*.lcd
fi

"$root/tools/wine-env.sh" bash -c '
  viewer=$1 pages=$2 out=$3
  shift 3
  for page in "$@"; do
    name=$(basename "$page" .lcd)
    # The samples name their background pictures relative to their folder.
    (cd "$pages" && exec "$WINE" "$viewer" "Z:$(echo "$page" | tr / "\\\\")") &
    shown=$!
    sleep 4
    import -window root "$out/page-$name.png"
    kill "$shown" 2>/dev/null || true
    wait "$shown" 2>/dev/null || true
    echo "wrote $out/page-$name.png"
  done
' show-pages "$viewer" "$pages" "$root/screenshots" "$@"
