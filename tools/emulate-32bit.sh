#!/usr/bin/env bash
# Runs a command on a kernel that cannot start 32-bit x86 Linux programs
# itself, with such programs started through qemu-user instead: Wine's 32-bit
# loader is one, and so is every 32-bit Windows program it starts. The
# emulator is registered with the kernel (binfmt_misc) for the command's time
# only and removed after it; an i386 entry that was there before is used and
# left as it was.
#
#   tools/emulate-32bit.sh --check            exits 0 when it can do so here
#   tools/emulate-32bit.sh COMMAND [ARGS...]
set -uo pipefail

binfmt=/proc/sys/fs/binfmt_misc
qemu=/usr/bin/qemu-i386-static
entry=kelrun-tests-i386
# The ELF header of an i386 program, and the bits of it that decide.
magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'

already_registered() {
  local file
  for file in "$binfmt"/*; do
    [ -f "$file" ] || continue
    grep -qx enabled "$file" 2>/dev/null && grep -q '^magic 7f454c4601010100000000000000000002000300' "$file" &&
      return 0
  done
  return 1
}

can_register() {
  [ -x "$qemu" ] && [ -w "$binfmt/register" ]
}

if [ "${1:-}" = --check ]; then
  already_registered || can_register
  exit
fi
if [ $# -eq 0 ]; then
  echo "usage: $0 --check | COMMAND [ARGS...]" >&2
  exit 2
fi

if ! already_registered; then
  if ! can_register; then
    echo "cannot emulate 32-bit programs here: needs $qemu (qemu-user-static) and a writable $binfmt" >&2
    exit 1
  fi
  # F: the kernel opens the emulator now, so it is found from any prefix.
  if ! printf ':%s:M::%s:%s:%s:F' "$entry" "$magic" "$mask" "$qemu" >"$binfmt/register"; then
    echo "the kernel refused the emulator's registration" >&2
    exit 1
  fi
  trap 'echo -1 >"$binfmt/$entry"' EXIT
fi
"$@"
