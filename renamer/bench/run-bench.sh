#!/usr/bin/env bash
# Pelmora's benchmark: a batch over 10,000 files driven as a user runs it,
# against a bare rename loop over the same names, and the time to fill the
# file list. Runs itself inside tools/wine-env.sh.
#   renamer/bench/run-bench.sh [FILE_COUNT]
# BUILD_DIR (default build/win64) is the x86_64 build to use; it is
# configured and the needed targets built when missing.
set -euo pipefail
cd "$(dirname "$0")/../.."

if [ -z "${WINE_ENV_SCRATCH:-}" ]; then
  build=${BUILD_DIR:-build/win64}
  if [ ! -f "$build/Makefile" ]; then
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake >/dev/null
  fi
  make -C "$build" -j2 Pelmora pelmora_bench >/dev/null
  BUILD_DIR=$build exec tools/wine-env.sh "$0" "$@"
fi

"$WINE" "${BUILD_DIR:-build/win64}/renamer/pelmora_bench.exe" "${1:-10000}" 2> >(grep -v -e fixme -e 'Read access denied' >&2)
