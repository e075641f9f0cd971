#!/usr/bin/env bash
# The main job: builds the 32-bit Windows distribution into dist/ and runs the emulated
# Excel host under Wine on the real MEZURA32.xll, printing what the add-in answered.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/bootstrap.sh

cmake --preset win32 >/dev/null
cmake --build --preset win32 -j2 --target MEZURA32 xlhost xlcall32

rm -rf dist
mkdir -p dist
cp build/win32/bin/MEZURA32.xll dist/
for extra in examples/SETUP.INF; do
  [ -f "$extra" ] && cp "$extra" dist/
done
echo "dist/: $(ls dist | tr '\n' ' ')"

# The emulated Excel (xlhost.exe with its XLCALL32.DLL) loads the add-in from dist/.
run=build/win32/run
rm -rf "$run"
mkdir -p "$run"
cp build/win32/bin/xlhost.exe build/win32/bin/XLCALL32.DLL dist/MEZURA32.xll "$run/"
args=("$run/xlhost.exe" "$run/MEZURA32.xll")
[ -f examples/demo.sheet ] && cp examples/demo.sheet "$run/" && args+=("$run/demo.sheet")
echo "Running the emulated Excel under Wine (32-bit; slow to start where Wine runs under qemu)..."
build/win32/wine-run --start-server
build/win32/wine-run "${args[@]}" | tr -d '\r'
