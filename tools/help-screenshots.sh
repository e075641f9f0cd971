#!/usr/bin/env bash
# Shows MEZURA.HLP in the Windows help engine (Wine's) on a virtual X display, asked for topics
# as Excel and the About box ask for them, and saves one PNG of each into build/:
#   build/help-contents.png       the contents (the About box's Help button, context 3)
#   build/help-CvtThermCond.png   a conversion topic with its unit table (context 1012)
#   build/help-VolHorzCylCap.png  a tank topic (context 1102)
#   build/help-LevelHorzCylCap.png a level topic (context 1108)
#   build/help-UnitLabels.png     the list of a quantity's labels (context 1017)
# Uses the 32-bit build where this kernel runs 32-bit programs, else the 64-bit build.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
tools/bootstrap.sh
source tools/screen-session.sh

preset=$(screen_preset)
cmake --preset $preset >/dev/null
cmake --build --preset $preset -j2 --target help_probe distribution_docs >/dev/null
bin=$root/build/$preset/bin

work=$root/build/$preset/help-screenshots
export MEZURA_WINE_ARCH=$preset
screen_session "$work" 800x600

cd "$work"
for shot in contents:contents CvtThermCond:1012 VolHorzCylCap:1102 LevelHorzCylCap:1108 UnitLabels:1017; do
  name=${shot%%:*}
  request=${shot#*:}
  rm -f "$name.ready" "$name.close"
  "$root/tools/wine-exec.sh" "$bin/help_probe.exe" --hold "$(winpath "$work/$name.ready")" \
    "$(winpath "$work/$name.close")" "$(winpath "$bin/MEZURA.HLP")" "$request" >"$name.out" 2>&1 &
  shown=$!
  for _ in $(seq 600); do [ -f "$name.ready" ] && break; sleep 0.1; done
  if [ ! -f "$name.ready" ]; then echo "help-screenshots: the help engine did not show $name" >&2; exit 1; fi
  import -window root "$root/build/help-$name.png"
  touch "$name.close"
  wait $shown || true
  echo "build/help-$name.png: $(tr -d '\r' <"$name.out")"
done
