#!/usr/bin/env bash
# Builds every preset that has tests and runs them all: native, native with sanitizers,
# the 64-bit Windows build under wine64, and the 32-bit Windows product under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/bootstrap.sh

presets=(native native-asan win64 win32)
failed=()
for preset in "${presets[@]}"; do
  echo "=== $preset: configure and build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j2
  echo "=== $preset: tests"
  if ! ctest --preset "$preset"; then failed+=("$preset"); fi
done

if [ ${#failed[@]} -ne 0 ]; then
  echo "FAILED presets: ${failed[*]}"
  exit 1
fi
echo "all presets passed: ${presets[*]}"
