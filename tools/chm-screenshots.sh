#!/usr/bin/env bash
# Shows the help and the workbook as a person sees them, with programs other than ours, and saves
# PNGs into build/:
#   build/chm-contents.png, build/chm-CvtThermCond.png, build/chm-VolHorzCylCap.png,
#   build/chm-LevelHorzCylCap.png, build/chm-UnitLabels.png
#       pages of MEZURA.CHM (the contents, a conversion with its unit table, a tank), taken out
#       of the file by Debian's chmlib and shown by headless Chromium
#   build/workbook-1.png, build/workbook-2.png, ...
#       install.xls printed to PDF by Gnumeric's ssconvert, each page drawn by pdftoppm
# Builds the documents of the native preset; installs Chromium, Gnumeric and poppler-utils when
# they are missing.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
tools/bootstrap.sh
missing=()
for want in chromium:/usr/bin/chromium gnumeric:/usr/bin/ssconvert poppler-utils:/usr/bin/pdftoppm; do
  [ -e "${want#*:}" ] || missing+=("${want%%:*}")
done
if [ ${#missing[@]} -ne 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO=sudo
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

cmake --preset native >/dev/null
cmake --build --preset native -j2 --target distribution_docs >/dev/null
bin=$root/build/native/bin
work=$root/build/chm-screenshots
rm -rf "$work"
mkdir -p "$work/pages" "$work/profile"

# Every file of the CHM, as chmlib reads it.
/usr/bin/python3 - "$bin/MEZURA.CHM" "$work/pages" <<'PYTHON'
import os, sys
from chm import chmlib
handle = chmlib.chm_open(sys.argv[1])
names = []
chmlib.chm_enumerate(handle, chmlib.CHM_ENUMERATE_NORMAL, lambda _, unit, __: names.append(unit.path) or 1, None)
for name in names:
    if name.endswith(b'/'):
        continue
    _, unit = chmlib.chm_resolve_object(handle, name)
    _, data = chmlib.chm_retrieve_object(handle, unit, 0, unit.length)
    with open(os.path.join(sys.argv[2], name.decode().lstrip('/')), 'wb') as out:
        out.write(data)
PYTHON

for page in contents CvtThermCond VolHorzCylCap LevelHorzCylCap UnitLabels; do
  chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run --disable-background-networking \
    --disable-component-update --disable-sync --user-data-dir="$work/profile" --hide-scrollbars \
    --window-size=820,1100 --screenshot="$root/build/chm-$page.png" "file://$work/pages/$page.htm" >/dev/null 2>&1
  echo "build/chm-$page.png"
done

rm -f "$root"/build/workbook-*.png
HOME=$work ssconvert --export-type=Gnumeric_pdf:pdf_assistant "$bin/install.xls" "$work/install.pdf" >/dev/null 2>&1
pdftoppm -png -r 70 "$work/install.pdf" "$root/build/workbook"
ls "$root"/build/workbook-*.png | sed "s|$root/||"
