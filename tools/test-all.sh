#!/usr/bin/env bash
# Builds every preset that has tests and runs them all: native, native with sanitizers, the
# multi-threaded tests under ThreadSanitizer, the 64-bit Windows build under wine64, and the
# 32-bit Windows product under Wine.
# The last lines sum up each preset, naming every skipped test and why it was skipped.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/bootstrap.sh

presets=(native native-asan native-tsan win64 win32)
failed=()
summary=()
mkdir -p build
for preset in "${presets[@]}"; do
  echo "=== $preset: configure and build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j2
  echo "=== $preset: tests"
  out=build/$preset-ctest.log
  if ctest --preset "$preset" 2>&1 | tee "$out"; then result=passed; else result=FAILED; failed+=("$preset"); fi
  summary+=("$(tools/preset-summary.sh "$preset" "$result" "$out")")
done

echo "=== summary"
printf '%s\n' "${summary[@]}"
if [ ${#failed[@]} -ne 0 ]; then
  echo "FAILED presets: ${failed[*]}"
  exit 1
fi
echo "no preset failed: ${presets[*]}"
