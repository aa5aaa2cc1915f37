#!/usr/bin/env bash
# Runs each fuzzer of build/fuzz over its checked-in seed corpus, then lets
# it fuzz for SECONDS (default 60). The checked-in corpus is only read: new
# inputs go to build/fuzz/corpus/NAME, crashes to build/fuzz/artifacts/NAME.
# A crash found once belongs in tests/fuzz/corpus/NAME/, so that every run
# replays it from then on.
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds=${1:-60}
build=build/fuzz
status=0
for name in page uninstall_log; do
  fuzzer=$build/tests/fuzz/${name}_fuzzer
  seeds=tests/fuzz/corpus/$name
  work=$build/corpus/$name
  artifacts=$build/artifacts/$name
  log=$build/${name}_fuzzer.log
  mkdir -p "$work" "$artifacts"
  echo "${name}_fuzzer: $(ls "$seeds" | wc -l) seed inputs, then ${seconds} s of fuzzing"
  if "$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=16384 \
      -artifact_prefix="$artifacts/" "$work" "$seeds" >"$log" 2>&1; then
    grep -E '^Done [0-9]+ runs' "$log" | tail -1 || true
  else
    echo "${name}_fuzzer FAILED; the input is in $artifacts, the log in $log:"
    tail -40 "$log"
    status=1
  fi
done
exit $status
