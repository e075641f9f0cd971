#!/usr/bin/env bash
# Shows the add-in's About box (what Help > "Mezura..." opens in Excel) on a virtual X display
# inside a Wine virtual desktop and saves it as build/about.png. The box is the built add-in's
# own, opened through its export. Uses the 32-bit build where this kernel runs 32-bit programs,
# else the 64-bit build (MEZURA64.xll).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
tools/bootstrap.sh
source tools/screen-session.sh

preset=$(screen_preset)
cmake --preset $preset >/dev/null
cmake --build --preset $preset -j2 --target setup_showcase mezura_addin xlcall32 >/dev/null
bin=$root/build/$preset/bin

work=$root/build/$preset/about-screenshot
export MEZURA_WINE_ARCH=$preset
screen_session "$work" 640x480

cd "$work"
rm -f ABOUT.ready ABOUT.close
"$root/tools/wine-exec.sh" "$bin/setup_showcase.exe" ABOUT >/dev/null 2>&1 &
shown=$!
for _ in $(seq 600); do [ -f ABOUT.ready ] && break; sleep 0.1; done
if [ ! -f ABOUT.ready ]; then echo "about-screenshot: the About box did not appear" >&2; exit 1; fi
import -window root "$root/build/about.png"
touch ABOUT.close
wait $shown || true
echo "build/about.png"
