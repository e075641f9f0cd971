#!/usr/bin/env bash
# Shows SETUP.EXE's dialogs WELCOME, STATUS and COMPARE, its messages of the add-in's
# registration, silent runs and the removal (ids 1033 to 1043), and the add-in's About box (what
# Help > "Mezura..." opens in Excel), on a virtual X display inside a Wine virtual desktop (which
# draws title bars) and saves one PNG of each into build/:
#   build/setup-WELCOME.png, build/setup-STATUS.png, build/setup-COMPARE.png,
#   build/setup-MESSAGE-1033.png ... build/setup-MESSAGE-1043.png, build/about.png
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

# Shows the window NAME that setup_showcase opens with the remaining arguments, and saves it
# as build/setup-NAME.png (the About box as build/about.png).
shoot() {
  local name=$1
  shift
  local picture=build/setup-$name.png
  [ "$name" = ABOUT ] && picture=build/about.png
  rm -f "$name.ready" "$name.close"
  "$root/tools/wine-exec.sh" "$bin/setup_showcase.exe" "$@" >/dev/null 2>&1 &
  local shown=$!
  for _ in $(seq 600); do [ -f "$name.ready" ] && break; sleep 0.1; done
  if [ ! -f "$name.ready" ]; then echo "setup-screenshots: $name did not appear" >&2; exit 1; fi
  import -window root "$root/$picture"
  touch "$name.close"
  wait $shown || true
  echo "$picture"
}

cd "$work"
shoot WELCOME WELCOME
shoot STATUS STATUS
shoot COMPARE COMPARE "$(winpath "$work/files/new/VER3F2A.TMP")" "$(winpath "$work/files/installed/SAMPLE.DLL")"
shoot ABOUT ABOUT
# Each message with the style its step gives it (information 2040, exclamation 2030, Retry and
# Cancel 2035, Yes and No with a question 2024; all task-modal) and sample arguments.
dest='C:\Program Files\Mezura'
while read -r id style a b; do
  shoot "MESSAGE-$id" MESSAGE "$id" "$style" "$a" "${b//_/ }"
done <<EOF_MESSAGES
1033 2040 MEZURA64.XLL Excel_16.0_(64-bit)
1034 2040 MEZURA64.XLL Excel_16.0_(64-bit)
1035 2035 MEZURA64.XLL
1036 2030 /X
1037 2030 C:\\LOGS\\SETUP.LOG
1038 2024 Mezura ${dest// /_}
1039 2040 Mezura
1040 2035 Mezura
1041 2040 Mezura ${dest// /_}
1042 2040 Mezura ${dest// /_}
1043 2040 Mezura ${dest// /_}
EOF_MESSAGES
