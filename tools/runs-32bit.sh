#!/usr/bin/env bash
# Exits 0 when this machine can run the 32-bit Windows programs under Wine:
# Wine's 32-bit loader (wine32:i386) is itself a 32-bit Linux program, and
# not every kernel starts one (a virtual machine without 32-bit emulation
# answers "Exec format error"). Otherwise exits 1 and says why on stderr.
#
#   tools/runs-32bit.sh
set -uo pipefail

loader=/usr/lib/wine/wine
if [ ! -x "$loader" ]; then
  echo "no 32-bit Wine loader at $loader (tools/install-prereqs.sh installs wine32:i386)" >&2
  exit 1
fi
if ! output=$("$loader" --version 2>&1); then
  echo "this machine's kernel does not start 32-bit programs: $loader says \"${output##*: }\"" >&2
  exit 1
fi
exit 0
