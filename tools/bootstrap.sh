#!/usr/bin/env bash
# Installs the cross toolchains, Wine and its fonts, the signing tool and test tools on Debian 12 when they are missing.
# qemu-user runs Wine's 32-bit loader on machines whose kernel cannot run 32-bit code.
# Idempotent: silent when nothing is missing.
#
# Two steps. First everything both README commands need on any machine: a package that cannot
# be installed there is an error. Then Wine's 32-bit runtime, which apt can only install while
# the i386 indexes match the amd64 ones; without it the 32-bit Windows tests are skipped and the
# main job takes its 64-bit path (tools/wine32-status.sh says why), so its failure is a warning.
#
# For the tests: MEZURA_APT names the package tool (default apt-get), MEZURA_DPKG the dpkg,
# MEZURA_BOOTSTRAP_ROOT is put before every proof path, MEZURA_APT_PAUSE is the first pause
# between tries of "apt-get update" in seconds (doubled after each try).
set -uo pipefail

APT=${MEZURA_APT:-apt-get}
DPKG=${MEZURA_DPKG:-dpkg}
ROOT=${MEZURA_BOOTSTRAP_ROOT:-}
PAUSE=${MEZURA_APT_PAUSE:-5}
UPDATE_TRIES=3
WINE32_PACKAGE=wine32:i386

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
  [$WINE32_PACKAGE]=/usr/lib/wine/wine
  [qemu-user]=/usr/bin/qemu-i386
  [xvfb]=/usr/bin/Xvfb
  [xauth]=/usr/bin/xauth
  [ninja-build]=/usr/bin/ninja
  [python3-xlrd]=/usr/lib/python3/dist-packages/xlrd/__init__.py
  [python3-olefile]=/usr/lib/python3/dist-packages/olefile/__init__.py
  # An independent reader of MEZURA.CHM for its tests (Debian's chmlib).
  [python3-chm]=/usr/lib/python3/dist-packages/chm/chmlib.py
  # Wine's own fonts ("System" of the dialogs, Tahoma of the captions, Marlett of the title bar
  # buttons), which Wine only recommends: without them a title bar shows "0 1 r".
  [fonts-wine]=/usr/share/wine/fonts/marlett.ttf
  # Authenticode signing of the distribution, and the test's throwaway certificate.
  [osslsigncode]=/usr/bin/osslsigncode
  [openssl]=/usr/bin/openssl
)

common=()
wine32=()
for pkg in $(printf '%s\n' "${!WANT[@]}" | sort); do
  [ -e "$ROOT${WANT[$pkg]}" ] && continue
  if [ "$pkg" = "$WINE32_PACKAGE" ]; then wine32+=("$pkg"); else common+=("$pkg"); fi
done
[ $((${#common[@]} + ${#wine32[@]})) -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -eq 0 ] || [ -n "${MEZURA_APT:-}" ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
log=$(mktemp)
trap 'rm -f "$log"' EXIT

count=$((${#common[@]} + ${#wine32[@]}))
echo "bootstrap: installing $count packages and what they need (${common[*]} ${wine32[*]})."
echo "bootstrap: this takes one to a few minutes on a fresh machine; later runs skip it."

if [ ${#wine32[@]} -ne 0 ] && ! $DPKG --print-foreign-architectures | grep -qx i386; then
  $SUDO $DPKG --add-architecture i386
fi

# A mirror being synced serves an index that does not match its Release file for a while; apt
# then fails the whole update although every other index arrived. Try again a few times, then go
# on with what arrived: only a package that cannot be installed is an error.
pause=$PAUSE
for try in $(seq $UPDATE_TRIES); do
  if $SUDO $APT update -qq >"$log" 2>&1; then failed_indexes=""; break; fi
  failed_indexes=$(sed -n 's/^[EW]: Failed to fetch \([^ ]*\).*/\1/p' "$log" | sort -u | tr '\n' ' ' | sed 's/ $//')
  [ -n "$failed_indexes" ] || failed_indexes="(apt said: $(grep -m1 '^E:' "$log" || tail -n1 "$log"))"
  [ "$try" -lt $UPDATE_TRIES ] && { sleep "$pause"; pause=$((pause * 2)); }
done
[ -n "$failed_indexes" ] &&
  echo "bootstrap: warning: after $UPDATE_TRIES tries these package indexes still fail, going on without them: $failed_indexes"

install() { $SUDO $APT install -y -qq --no-install-recommends "$@" >"$log" 2>&1; }

# Step 1. When the batch fails, each package is tried on its own to name the ones that cannot be installed.
if [ ${#common[@]} -ne 0 ] && ! install "${common[@]}"; then
  broken=()
  for pkg in "${common[@]}"; do install "$pkg" || broken+=("$pkg"); done
  if [ ${#broken[@]} -ne 0 ]; then
    echo "bootstrap: error: cannot install ${broken[*]}; both README commands need it. apt said:" >&2
    grep '^E:' "$log" | sed 's/^/  /' >&2
    exit 1
  fi
fi

# Step 2.
if [ ${#wine32[@]} -ne 0 ] && ! install "${wine32[@]}"; then
  reason=$(grep -m1 '^E:' "$log" || tail -n1 "$log")
  cat <<EOF
bootstrap: warning: Wine's 32-bit runtime ($WINE32_PACKAGE) could not be installed ($reason).
  Everything else is installed. Without it the 32-bit Windows tests (the win32 preset's Wine
  tests) are skipped, and the main job installs and runs the 64-bit build of the same code under
  wine64 instead of the 32-bit SETUP.EXE and MEZURA32.xll. This usually passes once the package
  mirror has finished its sync; to try again: tools/bootstrap.sh
EOF
fi
echo "bootstrap: done"
