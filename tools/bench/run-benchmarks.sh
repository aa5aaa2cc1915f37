#!/usr/bin/env bash
# Every benchmark of both programs from one entry point: one build of what
# they need, one throw-away Wine prefix, then each benchmark in turn. Each
# prints its own figures and ratios, measured against a baseline it runs in
# the same prefix, never against fixed times: this machine's speed varies
# with its load.
#
#   tools/bench/run-benchmarks.sh [NAME...]    the named ones; all without a name
#
#   BUILD_DIR  the x86_64 build to use (default build/win64), configured when missing
#   ROUNDS     rounds of kelrun's removal (default 5)
#   FILES      files in Pelmora's batch (default 10000)
#   PAGE_ROUNDS  loads of the full page (default 15)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${BUILD_DIR:-$root/build/win64}

# Wine's name for a Linux path: Z: is the root.
windows_path() {
  echo "Z:$1" | tr / '\\'
}

# The benchmarks: a name, its program in the build folder, and its arguments.
# To add one, put its program into the "benchmarks" target
# (tools/bench/CMakeLists.txt) and give it a line here.
all_benchmarks() {
  bench kelrun tools/bench/kelrun_bench.exe "$(windows_path "$root/dist/win64/kelrun.exe")" "${ROUNDS:-5}"
  bench pelmora renamer/pelmora_bench.exe "${FILES:-10000}"
  bench pageload tools/bench/page_load_bench.exe "${PAGE_ROUNDS:-15}"
}

if [ -z "${WINE_ENV_SCRATCH:-}" ]; then
  # Outside the prefix: check the names, build, then run this script again
  # inside a prefix.
  known=()
  bench() { known+=("$1"); }
  all_benchmarks
  for name in "$@"; do
    if ! printf '%s\n' "${known[@]}" | grep -qxF -- "$name"; then
      echo "no benchmark is called $name (there are: ${known[*]})" >&2
      exit 2
    fi
  done
  if [ ! -f "$build/Makefile" ]; then
    cmake -S "$root" -B "$build" -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" >/dev/null
  fi
  cmake --build "$build" --target benchmarks -- -j"$(nproc 2>/dev/null || echo 2)" >/dev/null
  BUILD_DIR=$build exec "$root/tools/wine-env.sh" "$0" "$@"
fi

selected=("$@")
failed=()
bench() {
  local name=$1 program=$2 result
  shift 2
  if [ ${#selected[@]} -gt 0 ] && ! printf '%s\n' "${selected[@]}" | grep -qxF -- "$name"; then
    return 0
  fi
  echo "== $name"
  # Wine's own complaints go nowhere; the benchmark's errors stay on stderr.
  set +e
  { "$WINE" "$build/$program" "$@" 2>&1 1>&3 3>&- | grep -v -e fixme -e 'Read access denied' >&2; result=${PIPESTATUS[0]}; } 3>&1
  set -e
  [ "$result" -eq 0 ] || failed+=("$name")
  echo
}
all_benchmarks

if [ ${#failed[@]} -gt 0 ]; then
  echo "benchmarks that could not measure: ${failed[*]}" >&2
  exit 1
fi
