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
# A kernel without 32-bit support may still start the loader through an
# emulator registered for i386 programs (qemu-user through binfmt_misc).
# Measured here: Wine's 32-bit start-up then takes about a minute of
# emulation per program, hours for the whole run: only the WoW64 tests run so
# (tools/emulate-32bit.sh, tools/wow64-tests.sh).
for entry in /proc/sys/fs/binfmt_misc/*; do
  [ -f "$entry" ] || continue
  if grep -qx enabled "$entry" 2>/dev/null && grep -q '^magic 7f454c4601010100000000000000000002000300' "$entry"; then
    echo "this machine starts 32-bit programs only through an emulator ($(sed -n 's/^interpreter //p' "$entry")), too slow for the whole 32-bit run" >&2
    exit 1
  fi
done
exit 0
