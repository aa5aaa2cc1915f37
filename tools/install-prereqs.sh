#!/usr/bin/env bash
# Installs, from Debian's packages, whatever the build and the tests need and
# this machine lacks. Does nothing when everything is there.
set -euo pipefail

need=()
have() { command -v "$1" >/dev/null 2>&1; }
have cmake || need+=(cmake)
have make || need+=(make)
have g++ || need+=(g++)
have i686-w64-mingw32-g++-posix || need+=(g++-mingw-w64-i686-posix)
have x86_64-w64-mingw32-g++-posix || need+=(g++-mingw-w64-x86-64-posix)
[ -x /usr/lib/wine/wine64 ] || need+=(wine64)
# Wine's 32-bit loader, beside wine64: the shipped 32-bit programs and their
# tests run under it, in the same 64-bit prefix (WoW64). It is a package of
# the i386 architecture, which dpkg must know first.
add_i386=0
if [ ! -x /usr/lib/wine/wine ]; then
  need+=(wine32:i386)
  dpkg --print-foreign-architectures | grep -qx i386 || add_i386=1
fi
[ -f /usr/share/wine/fonts/sserife.fon ] || need+=(fonts-wine)
# Wine has no Arial of its own; it takes Liberation Sans, which has Arial's metrics.
[ -f /usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf ] || need+=(fonts-liberation)
have ccache || need+=(ccache)
have Xvfb || need+=(xvfb)
[ -x /usr/bin/import ] || need+=(imagemagick)
[ -f /usr/src/googletest/CMakeLists.txt ] || need+=(googletest)
# The fuzzers: clang and its runtime libraries, libFuzzer among them.
have clang++ || need+=(clang)
compgen -G '/usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a' >/dev/null || need+=(libclang-rt-14-dev)

install() {
  echo "Installing: $*"
  local sudo=
  if [ "$(id -u)" != 0 ]; then
    sudo=sudo
  fi
  export DEBIAN_FRONTEND=noninteractive
  if [ "$add_i386" = 1 ]; then
    $sudo dpkg --add-architecture i386
    add_i386=0
  fi
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "$@"
}

if [ ${#need[@]} -gt 0 ]; then
  install "${need[@]}"
fi
# A kernel that starts no 32-bit programs (a virtual machine without IA-32
# emulation) can still run the WoW64 tests with 32-bit programs emulated.
if ! /usr/lib/wine/wine --version >/dev/null 2>&1 && ! have qemu-i386-static; then
  install qemu-user-static
fi
