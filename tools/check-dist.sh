#!/usr/bin/env bash
# Checks the program files in dist/ without running them: what can be read
# from the files (processor, subsystem, imported libraries, resources), for
# the shipped 32-bit build and the x86_64 build alike. It needs no Wine, so it
# also covers the shipped build on a kernel that starts no 32-bit programs.
#
#   tools/check-dist.sh [CHECKER]
#
# CHECKER defaults to the natively built build/native/tools/distcheck/dist_check.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
checker=${1:-$root/build/native/tools/distcheck/dist_check}
manifest=$root/uninstaller/app/kelrun.manifest

if [ ! -x "$checker" ]; then
  echo "check-dist: no checker at $checker (make native builds it)" >&2
  exit 2
fi

passed=0
failed=0
run_check() {  # ARCH PROGRAM FILE
  local arch=$1 program=$2 file=$3 extra=()
  [ "$program" = kelrun ] && extra=(--manifest "$manifest")
  if [ ! -f "$file" ]; then
    echo "FAIL $file: missing"
    failed=$((failed + 1))
    return
  fi
  local output status=0
  output=$("$checker" --arch "$arch" --program "$program" "${extra[@]}" "$file") || status=$?
  echo "$output"
  if [ "$status" -eq 2 ]; then
    echo "check-dist: the checker could not run on $file" >&2
    exit 2
  fi
  passed=$((passed + $(grep -c '^ok ' <<<"$output" || true)))
  failed=$((failed + $(grep -c '^FAIL ' <<<"$output" || true)))
}

for build in win32:i386 win64:x86-64; do
  dir=$root/dist/${build%%:*}
  arch=${build##*:}
  run_check "$arch" kelrun "$dir/kelrun.exe"
  run_check "$arch" Pelmora "$dir/Pelmora.exe"
  run_check "$arch" pageview "$dir/pageview.exe"
  run_check "$arch" kelcheck "$dir/kelcheck.exe"
done

# The checker must see a wrong file as wrong: the 64-bit kelrun is no i386
# program, and Pelmora carries none of kelrun's resources.
expect_rejected() {  # ARCH PROGRAM FILE
  local extra=()
  [ "$2" = kelrun ] && extra=(--manifest "$manifest")
  if "$checker" --arch "$1" --program "$2" "${extra[@]}" "$3" >/dev/null; then
    echo "FAIL the checker passed $3 as an $1 $2"
    failed=$((failed + 1))
  else
    echo "ok   the checker rejects $3 as an $1 $2"
    passed=$((passed + 1))
  fi
}
expect_rejected i386 kelrun "$root/dist/win64/kelrun.exe"
expect_rejected i386 kelrun "$root/dist/win32/Pelmora.exe"
expect_rejected i386 kelcheck "$root/dist/win32/pageview.exe"

echo "dist-check: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
