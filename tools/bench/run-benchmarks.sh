#!/usr/bin/env bash
# Runs the benchmarks in a throw-away Wine prefix and prints their ratios.
# Figures are measured against a baseline run in the same script, never
# against fixed times: this machine's speed varies with its load.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${BUILD_DIR:-$root/build/win64}
rounds=${ROUNDS:-5}

kelrun_exe="Z:$(echo "$root/dist/win64/kelrun.exe" | tr / '\\')"
"$root/tools/wine-env.sh" bash -c "\"\$WINE\" \"$build/tools/bench/kelrun_bench.exe\" '$kelrun_exe' $rounds"

if [ -x "$root/renamer/bench/run-bench.sh" ]; then
  echo
  "$root/renamer/bench/run-bench.sh"
fi
