#!/usr/bin/env bash
# Shows SETUP.EXE's dialogs WELCOME, STATUS and COMPARE, and the add-in's About box (what
# Help > "Mezura..." opens in Excel), on a virtual X display inside a Wine virtual desktop (which
# draws title bars) and saves one PNG of each into build/:
#   build/setup-WELCOME.png, build/setup-STATUS.png, build/setup-COMPARE.png, build/about.png
# Uses the 32-bit product where this kernel runs 32-bit programs, else the 64-bit build.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
tools/bootstrap.sh
source tools/screen-session.sh

preset=$(screen_preset)
cmake --preset $preset >/dev/null
cmake --build --preset $preset -j2 --target SETUP setup_showcase sample_old sample_new >/dev/null
bin=$root/build/$preset/bin

work=$root/build/$preset/screenshots
export MEZURA_WINE_ARCH=$preset
screen_session "$work" 640x480

# COMPARE's files: the older sample as the new file, the newer one as the installed file.
mkdir -p "$work/files/new" "$work/files/installed"
cp "$bin/sample_old.dll" "$work/files/new/VER3F2A.TMP"
cp "$bin/sample_new.dll" "$work/files/installed/SAMPLE.DLL"

cd "$work"
for dialog in WELCOME STATUS COMPARE ABOUT; do
  picture=build/setup-$dialog.png
  [ $dialog = ABOUT ] && picture=build/about.png
  rm -f "$dialog.ready" "$dialog.close"
  args=("$dialog")
  [ $dialog = COMPARE ] && args+=("$(winpath "$work/files/new/VER3F2A.TMP")" "$(winpath "$work/files/installed/SAMPLE.DLL")")
  "$root/tools/wine-exec.sh" "$bin/setup_showcase.exe" "${args[@]}" >/dev/null 2>&1 &
  shown=$!
  for _ in $(seq 600); do [ -f "$dialog.ready" ] && break; sleep 0.1; done
  if [ ! -f "$dialog.ready" ]; then echo "setup-screenshots: $dialog did not appear" >&2; exit 1; fi
  import -window root "$root/$picture"
  touch "$dialog.close"
  wait $shown || true
  echo "$picture"
done
