#!/usr/bin/env bash
# Installs the cross toolchains, Wine and test tools on Debian 12 when they are missing.
# qemu-user runs Wine's 32-bit loader on machines whose kernel cannot run 32-bit code.
# Idempotent: prints what it installs and stays silent when nothing is missing.
set -euo pipefail

# package -> a file that proves it is installed
declare -A WANT=(
  [cmake]=/usr/bin/cmake
  [g++]=/usr/bin/g++
  [clang]=/usr/bin/clang
  [libclang-rt-14-dev]=/usr/lib/llvm-14/lib/clang/14.0.6/lib/linux/libclang_rt.fuzzer-x86_64.a
  [googletest]=/usr/src/googletest/CMakeLists.txt
  [libgtest-dev]=/usr/include/gtest/gtest.h
  [libbenchmark-dev]=/usr/include/benchmark/benchmark.h
  [g++-mingw-w64-i686-posix]=/usr/bin/i686-w64-mingw32-g++-posix
  [binutils-mingw-w64-i686]=/usr/bin/i686-w64-mingw32-dlltool
  [g++-mingw-w64-x86-64-posix]=/usr/bin/x86_64-w64-mingw32-g++-posix
  [binutils-mingw-w64-x86-64]=/usr/bin/x86_64-w64-mingw32-objdump
  [wine]=/usr/bin/wine
  [wine64]=/usr/lib/wine/wine64
  [wine32:i386]=/usr/lib/wine/wine
  [qemu-user]=/usr/bin/qemu-i386
  [xvfb]=/usr/bin/Xvfb
  [xauth]=/usr/bin/xauth
  [ninja-build]=/usr/bin/ninja
  [python3-xlrd]=/usr/lib/python3/dist-packages/xlrd/__init__.py
  [python3-olefile]=/usr/lib/python3/dist-packages/olefile/__init__.py
)

missing=()
for pkg in "${!WANT[@]}"; do
  [ -e "${WANT[$pkg]}" ] || missing+=("$pkg")
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
echo "bootstrap: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
if [[ " ${missing[*]} " == *":i386 "* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
fi
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
echo "bootstrap: done"
