#!/usr/bin/env bash
# The main job: builds the Windows distribution into dist/ (MEZURA32.xll, and MEZURA64.xll for
# 64-bit Excel, SETUP.EXE, the help files MEZURA.HLP and MEZURA.CHM and the workbook install.xls, with
# SHA256SUMS; signed when MEZURA_SIGN_CERT and MEZURA_SIGN_KEY name a certificate, see
# tools/make-dist.sh), installs it with its SETUP.EXE into a fresh Wine prefix (a stand-in Excel
# registered for ".xls", a scripted Program Manager recording, a driver answering WELCOME as a
# user would), prints what the installation left, and then runs the emulated Excel host on the
# installed add-in and the demo sheet, and the 64-bit emulated Excel under wine64 on the
# installed MEZURA64.xll, and both again as an Excel 16.0 recalculating on two threads. A
# second run installs silently into another fresh prefix whose Excel is a 64-bit Excel 16.0,
# prints the OPEN entry written, then removes the installation silently and prints what is left.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/bootstrap.sh

peers=(progman_peer excel_peer excel64_16 setup_driver help_probe)
cmake --preset win32 >/dev/null
# distribution_docs: MEZURA.HLP, MEZURA.CHM and install.xls, written from the add-in's own tables.
cmake --build --preset win32 -j2 --target mezura_addin SETUP xlhost xlcall32 distribution_docs "${peers[@]}"
# The same sources for 64-bit Excel (target mezura_addin, file MEZURA64.xll).
cmake --preset win64 >/dev/null
cmake --build --preset win64 -j2 --target mezura_addin xlhost xlcall32

# The add-ins and SETUP.EXE are built stripped; their debug files stay in the build trees.
rm -rf dist
tools/make-dist.sh dist build/win32/bin/MEZURA32.xll build/win64/bin/MEZURA64.xll build/win32/bin/SETUP.EXE \
  setup/SETUP.INF build/win32/bin/MEZURA.HLP build/win32/bin/MEZURA.CHM build/win32/bin/install.xls
echo "dist/: $(ls dist | tr '\n' ' ')"
[ -n "${MEZURA_SIGN_CERT:-}" ] || echo "Not signed (no MEZURA_SIGN_CERT given; \"The distribution\" in the README says how)."
echo "Debug files: build/win32/bin/MEZURA32.xll.debug build/win64/bin/MEZURA64.xll.debug build/win32/bin/SETUP.EXE.debug"
echo "dist/SHA256SUMS:"
sed 's/^/  /' dist/SHA256SUMS

# The 32-bit product runs under Wine's 32-bit loader. Where the kernel cannot run 32-bit
# programs that loader needs qemu (MEZURA_WINE32_QEMU=1, minutes to start), so by default the
# demo shows the same code built for 64-bit Windows under wine64.
preset=win32
arch=win32
if ! why=$(tools/wine32-status.sh) && { [ "${MEZURA_WINE32_QEMU:-0}" != 1 ] || [ ! -e /usr/lib/wine/wine ]; }; then
  preset=win64
  arch=win64
  echo "32-bit Windows programs cannot run here: $why."
  echo "The installation and the demo run the 64-bit build of the same code under wine64"
  echo "(SETUP.EXE from build/win64, the rest from dist/)."
  cmake --build --preset win64 -j2 --target SETUP "${peers[@]}"
fi
bin=build/$preset/bin

# A fresh prefix of its own: nothing of an earlier run or of the tests is there.
demo=$PWD/build/$preset/install-demo
rm -rf "$demo"
mkdir -p "$demo/home"
in_prefix() {
  local root=$1
  shift
  WINEPREFIX="$root/prefix" MEZURA_WINE_ARCH=$arch HOME="$root/home" XDG_CONFIG_HOME="$root/home/.config" \
    XDG_DATA_HOME="$root/home/.local/share" XDG_CACHE_HOME="$root/home/.cache" tools/wine-exec.sh "$@"
}
wine() { in_prefix "$demo" "$@"; }
echo "Making a fresh Wine prefix ($arch)..."
wine --start-server
drive=$demo/prefix/drive_c

# The distribution as a user gets it; Excel as the program that opens ".xls" workbooks.
mkdir -p "$drive/DIST" "$drive/Excel" "$drive/TOOLS"
cp dist/* "$drive/DIST/"
[ "$preset" = win32 ] || cp $bin/SETUP.EXE "$drive/DIST/"
cp $bin/excel_peer.exe "$drive/Excel/EXCEL.EXE"
cp $bin/progman_peer.exe $bin/setup_driver.exe $bin/help_probe.exe $bin/xlhost.exe $bin/XLCALL32.DLL "$drive/TOOLS/"
cp examples/demo.sheet examples/demo8.sheet "$drive/TOOLS/"
wine reg add 'HKCR\.xls' /ve /d Excel.Sheet /f >/dev/null
wine reg add 'HKCR\Excel.Sheet' /ve /d 'Excel Worksheet' /f >/dev/null
wine reg add 'HKCR\Excel.Sheet\shell\open\command' /ve /d '"C:\Excel\EXCEL.EXE" "%1"' /f >/dev/null
echo 'Excel registered for .xls: "C:\Excel\EXCEL.EXE" "%1" (a stand-in that records its command line)'

# Program Manager: our scripted DDE server, recording every command; the driver ends it.
wine 'C:\TOOLS\progman_peer.exe' 'C:\TOOLS\PROGMAN.LOG' >"$demo/progman.out" 2>&1 &
progman=$!
for _ in $(seq 100); do grep -q serving "$demo/progman.out" 2>/dev/null && break; sleep 0.2; done

echo
echo "Installing: C:\\DIST\\SETUP.EXE, the driver accepting WELCOME as offered and pressing OK"
wine 'C:\TOOLS\setup_driver.exe' 'C:\DIST\SETUP.EXE' | tr -d '\r'
# The driver has told the Program Manager stand-in to end; the server's end stops it otherwise.
for _ in $(seq 50); do kill -0 $progman 2>/dev/null || break; sleep 0.2; done

dest=$(grep -a -A3 '^\[CORVANE\]' "$drive/windows/win.ini" | tr -d '\r' | sed -n 's/^Install=//p' | head -1)
unix_dest=$drive/$(printf '%s' "${dest#?:\\}" | tr '\\' '/')
unix_dest=$(find "$drive" -maxdepth 3 -ipath "$unix_dest" -type d | head -1)
echo
echo "Remembered destination (win.ini [CORVANE] Install): $dest"
echo "Files in $dest:"
ls -l "$unix_dest" | tail -n +2 | awk '{printf "  %-14s %9s bytes\n", $9, $5}'
echo "CORVANE.INI:"
tr -d '\r' <"$unix_dest/CORVANE.INI" | sed 's/^/  /'
echo "Program Manager commands received:"
sed 's/^/  /' "$drive/TOOLS/PROGMAN.LOG"
echo "Excel was started with:"
echo "  $(cat "$drive/Excel/EXCEL.LOG")"
echo "The installed help file in the Windows help engine (first line shown), as the About box's"
echo "Help button and the Function Wizard's help on CvtLength and VolHorzCyl ask for it:"
wine 'C:\TOOLS\help_probe.exe' "$dest\\MEZURA.HLP" contents 1006 1101 | tr -d '\r' | sed 's/^/  /'
echo "The installed INSTALL.XLS (a copy of C:\\DIST\\install.xls, which Excel was started on) as Debian's xlrd reads it:"
tools/show-workbook.py "$unix_dest/INSTALL.XLS" Install | sed 's/^/  /'

if [ "$preset" = win32 ]; then
  echo
  echo "Running the emulated Excel (win32) on the installed add-in $dest\\MEZURA32.XLL..."
  wine 'C:\TOOLS\xlhost.exe' "$dest\\MEZURA32.XLL" 'C:\TOOLS\demo.sheet' | tr -d '\r'
  # 64-bit programs need a 64-bit prefix: the win64 build's own, reading the installed file by its Z: path.
  run64() { build/win64/wine-run "$@"; }
  addin64="Z:$(printf '%s' "$unix_dest/MEZURA64.XLL" | tr '/' '\\')"
  sheet64="Z:$(printf '%s' "$PWD/examples/demo.sheet" | tr '/' '\\')"
else
  run64() { wine "$@"; }
  addin64="$dest\\MEZURA64.XLL"
  sheet64='C:\TOOLS\demo.sheet'
fi
echo
echo "Running the 64-bit emulated Excel (wine64) on the installed add-in $dest\\MEZURA64.XLL..."
run64 "$PWD/build/win64/bin/xlhost.exe" "$addin64" "$sheet64" | tr -d '\r'
# Excel 16.0: the add-in registers its functions thread-safe through Excel12, and the host
# recalculates their cells on two threads; the grid is the same.
echo
echo "Running the 64-bit emulated Excel 16.0 (wine64) on $dest\\MEZURA64.XLL, recalculating on two threads..."
run64 "$PWD/build/win64/bin/xlhost.exe" --version 16.0 --threads 2 "$addin64" "$sheet64" | tr -d '\r'
if [ "$preset" = win32 ]; then
  echo
  echo "Running the emulated Excel 16.0 (win32) on $dest\\MEZURA32.XLL, recalculating on two threads..."
  wine 'C:\TOOLS\xlhost.exe' --version 16.0 --threads 2 "$dest\\MEZURA32.XLL" 'C:\TOOLS\demo.sheet' | tr -d '\r'
fi
# Excel 8.0 (a 32-bit Excel): text cells are read through the host's automation model.
echo
if [ "$preset" = win32 ]; then
  echo "Running the emulated Excel 8.0 (win32) on the installed add-in $dest\\MEZURA32.XLL..."
  wine 'C:\TOOLS\xlhost.exe' --version 8.0 "$dest\\MEZURA32.XLL" 'C:\TOOLS\demo8.sheet' | tr -d '\r'
else
  echo "Running the emulated Excel 8.0 (wine64, the same code built for 64-bit) on $dest\\MEZURA64.XLL..."
  wine 'C:\TOOLS\xlhost.exe' --version 8.0 "$dest\\MEZURA64.XLL" 'C:\TOOLS\demo8.sheet' | tr -d '\r'
fi
wine --stop-server

# The second run: a silent installation into a fresh prefix of its own whose Excel is a 64-bit
# Excel 16.0 (the stand-in with that version block and a 64-bit image) with a foreign add-in
# among its OPEN entries; then the silent removal.
echo
echo "Second run: a silent installation into another fresh prefix, Excel being a 64-bit Excel 16.0"
silent=$PWD/build/$preset/install-demo-silent
rm -rf "$silent"
mkdir -p "$silent/home"
wine2() { in_prefix "$silent" "$@"; }
wine2 --start-server
drive2=$silent/prefix/drive_c
office="Program Files/Microsoft Office/root/Office16"
mkdir -p "$drive2/DIST" "$drive2/$office" "$drive2/TOOLS"
cp dist/* "$drive2/DIST/"
[ "$preset" = win32 ] || cp $bin/SETUP.EXE "$drive2/DIST/"
cp $bin/excel64_16.exe "$drive2/$office/EXCEL.EXE"
cp $bin/progman_peer.exe "$drive2/TOOLS/"
excel2='C:\Program Files\Microsoft Office\root\Office16\EXCEL.EXE'
options='HKCU\Software\Microsoft\Office\16.0\Excel\Options'
wine2 reg add 'HKCR\.xls' /ve /d Excel.Sheet /f >/dev/null
wine2 reg add 'HKCR\Excel.Sheet' /ve /d 'Excel Worksheet' /f >/dev/null
wine2 reg add 'HKCR\Excel.Sheet\shell\open\command' /ve /d "\"$excel2\" \"%1\"" /f >/dev/null
wine2 reg add "$options" /v OPEN /d '/R "C:\Program Files\Solver\SOLVER.XLL"' /f >/dev/null
echo "Excel registered for .xls: \"$excel2\" \"%1\" (64-bit, version 16.0)"
echo "Its add-ins before ($options):"
show_open() { wine2 reg query "$options" | tr -d '\r' | grep -a '^ *OPEN' | sed 's/^ */  /' || echo "  (none)"; }
show_open
# Program Manager as in the first run; the server's end stops it.
wine2 'C:\TOOLS\progman_peer.exe' 'C:\TOOLS\PROGMAN.LOG' >"$silent/progman.out" 2>&1 &
for _ in $(seq 100); do grep -q serving "$silent/progman.out" 2>/dev/null && break; sleep 0.2; done

echo
echo 'Installing: C:\DIST\SETUP.EXE /Q "/D=C:\Program Files\Mezura" /L=C:\SETUP.LOG'
code=0
wine2 'C:\DIST\SETUP.EXE' /Q '/D=C:\Program Files\Mezura' '/L=C:\SETUP.LOG' || code=$?
echo "SETUP.EXE exit code $code"
echo "C:\SETUP.LOG:"
tr -d '\r' <"$drive2/SETUP.LOG" | sed 's/^/  /'
echo "The OPEN entry written ($options):"
show_open
echo "The entry in the list of programs (HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Mezura):"
wine2 reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Mezura' | tr -d '\r' | grep -a '^ ' | sed 's/^ */  /'
echo "Files in C:\Program Files\Mezura: $(ls "$drive2/Program Files/Mezura" | tr '\n' ' ')"

echo
echo 'Removing: "C:\Program Files\Mezura\SETUP.EXE" /U /Q /L=C:\REMOVE.LOG (the entry'"'"'s QuietUninstallString)'
code=0
wine2 'C:\Program Files\Mezura\SETUP.EXE' /U /Q '/L=C:\REMOVE.LOG' || code=$?
echo "SETUP.EXE exit code $code"
echo "C:\REMOVE.LOG:"
tr -d '\r' <"$drive2/REMOVE.LOG" | sed 's/^/  /'
echo "What is left:"
if [ -e "$drive2/Program Files/Mezura" ]; then
  echo "  C:\Program Files\Mezura: $(ls -A "$drive2/Program Files/Mezura" | tr '\n' ' ')"
else
  echo "  C:\Program Files\Mezura: gone"
fi
echo "  OPEN entries:"
show_open | sed 's/^/  /'
if wine2 reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Mezura' >/dev/null 2>&1; then
  echo "  the entry in the list of programs: still there"
else
  echo "  the entry in the list of programs: gone"
fi
corvane=$(grep -a -A3 '^\[CORVANE\]' "$drive2/windows/win.ini" 2>/dev/null | tr -d '\r' || true)
echo "  win.ini [CORVANE]: ${corvane:-gone}"
echo "  Program Manager commands received:"
sed 's/^/    /' "$drive2/TOOLS/PROGMAN.LOG"
wine2 --stop-server
