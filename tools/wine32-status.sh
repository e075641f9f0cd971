#!/bin/sh
# Tells whether Wine's 32-bit loader runs here: exit 0 when it does; otherwise exit 1 and print
# why, in one line, for the test summary, the main job and the Wine wrapper.
# MEZURA_BOOTSTRAP_ROOT is put before the loader's path (for the bootstrap's own test).
loader="${MEZURA_BOOTSTRAP_ROOT:-}/usr/lib/wine/wine"
if [ ! -e "$loader" ]; then
  echo "Wine's 32-bit runtime (wine32:i386) is not installed; tools/bootstrap.sh tries again"
  exit 1
fi
if ! "$loader" --version >/dev/null 2>&1; then
  echo "this kernel cannot run 32-bit programs (MEZURA_WINE32_QEMU=1 runs them under qemu-i386, slowly)"
  exit 1
fi
exit 0
