#!/usr/bin/env bash
# Shows SETUP.EXE's dialogs WELCOME, STATUS and COMPARE on a virtual X display inside a Wine
# virtual desktop (which draws title bars) and saves one PNG of each into build/:
#   build/setup-WELCOME.png, build/setup-STATUS.png, build/setup-COMPARE.png
# Uses the 32-bit product where this kernel runs 32-bit programs, else the 64-bit build.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
tools/bootstrap.sh
if ! command -v import >/dev/null; then
  SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  echo "setup-screenshots: installing imagemagick"
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends imagemagick >/dev/null
fi

preset=win32
if ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
  preset=win64
  echo "setup-screenshots: this kernel cannot run 32-bit programs; showing the 64-bit build's dialogs"
fi
cmake --preset $preset >/dev/null
cmake --build --preset $preset -j2 --target SETUP setup_showcase sample_old sample_new >/dev/null
bin=$root/build/$preset/bin

# A prefix of its own: the tests' prefix uses the null driver, this one draws, in a virtual
# desktop of 640x480 so the pictures hold title bars and nothing else.
work=$root/build/$preset/screenshots
mkdir -p "$work"
export WINEPREFIX=$work/prefix HOME=$work/home MEZURA_WINE_ARCH=$preset
export XDG_CONFIG_HOME=$HOME/.config XDG_DATA_HOME=$HOME/.local/share XDG_CACHE_HOME=$HOME/.cache
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 640x480x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'tools/wine-exec.sh --stop-server >/dev/null 2>&1 || true; kill $xvfb 2>/dev/null || true' EXIT
export DISPLAY=$display
sleep 1
tools/wine-exec.sh reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
tools/wine-exec.sh reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 640x480 /f >/dev/null 2>&1

# COMPARE's files: the older sample as the new file, the newer one as the installed file.
mkdir -p "$work/files/new" "$work/files/installed"
cp "$bin/sample_old.dll" "$work/files/new/VER3F2A.TMP"
cp "$bin/sample_new.dll" "$work/files/installed/SAMPLE.DLL"
winpath() { echo "Z:$1" | tr / '\\'; }

cd "$work"
for dialog in WELCOME STATUS COMPARE; do
  rm -f "$dialog.ready" "$dialog.close"
  args=("$dialog")
  [ $dialog = COMPARE ] && args+=("$(winpath "$work/files/new/VER3F2A.TMP")" "$(winpath "$work/files/installed/SAMPLE.DLL")")
  "$root/tools/wine-exec.sh" "$bin/setup_showcase.exe" "${args[@]}" >/dev/null 2>&1 &
  shown=$!
  for _ in $(seq 600); do [ -f "$dialog.ready" ] && break; sleep 0.1; done
  if [ ! -f "$dialog.ready" ]; then echo "setup-screenshots: $dialog did not appear" >&2; exit 1; fi
  import -window root "$root/build/setup-$dialog.png"
  touch "$dialog.close"
  wait $shown || true
  echo "build/setup-$dialog.png"
done
