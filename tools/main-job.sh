#!/usr/bin/env bash
# The main job: builds the 32-bit Windows distribution into dist/ and runs the emulated
# Excel host under Wine on the add-in, printing what the add-in answered.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/bootstrap.sh

cmake --preset win32 >/dev/null
cmake --build --preset win32 -j2 --target MEZURA32 SETUP xlhost xlcall32

rm -rf dist
mkdir -p dist
cp build/win32/bin/MEZURA32.xll build/win32/bin/SETUP.EXE dist/
for extra in examples/SETUP.INF; do
  if [ -f "$extra" ]; then cp "$extra" dist/; fi
done
echo "dist/: $(ls dist | tr '\n' ' ')"

# The 32-bit product runs under Wine's 32-bit loader. Where the kernel cannot run 32-bit
# programs that loader needs qemu (MEZURA_WINE32_QEMU=1, minutes to start), so by default the
# demo shows the same code built for 64-bit Windows under wine64.
preset=win32
if ! /usr/lib/wine/wine --version >/dev/null 2>&1 && [ "${MEZURA_WINE32_QEMU:-0}" != 1 ]; then
  preset=win64
  echo "This kernel cannot run 32-bit programs: the demo runs the 64-bit build of the same code under wine64."
  echo "(MEZURA_WINE32_QEMU=1 tools/main-job.sh runs dist/MEZURA32.xll itself, under qemu-i386.)"
  cmake --preset win64 >/dev/null
  cmake --build --preset win64 -j2 --target MEZURA32 xlhost xlcall32
fi

run=build/$preset/run
rm -rf "$run"
mkdir -p "$run"
cp build/$preset/bin/xlhost.exe build/$preset/bin/XLCALL32.DLL build/$preset/bin/MEZURA32.xll "$run/"
args=("$run/xlhost.exe" "$run/MEZURA32.xll")
if [ -f examples/demo.sheet ]; then cp examples/demo.sheet "$run/"; args+=("$run/demo.sheet"); fi
echo "Running the emulated Excel ($preset) under Wine..."
build/$preset/wine-run --start-server
build/$preset/wine-run "${args[@]}" | tr -d '\r'
# Excel 8.0: text cells are read through the host's automation model.
cp examples/demo8.sheet "$run/"
echo "Running the emulated Excel 8.0 ($preset) under Wine..."
build/$preset/wine-run "$run/xlhost.exe" --version 8.0 "$run/MEZURA32.xll" "$run/demo8.sheet" | tr -d '\r'
