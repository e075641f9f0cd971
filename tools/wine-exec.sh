#!/bin/sh
# Runs a Windows program under Wine in $WINEPREFIX (made on first use).
#   MEZURA_WINE_ARCH=win64: wine64.
#   MEZURA_WINE_ARCH=win32: Wine's 32-bit loader, directly where the kernel runs 32-bit code,
#   otherwise, when MEZURA_WINE32_QEMU=1, under qemu-i386 (user-mode emulation: the same
#   Wine, but minutes to start); without it such runs exit 77, which CTest counts as skipped.
# Also: --start-server keeps a wineserver alive for a test run, --stop-server ends it.
set -eu
: "${WINEPREFIX:?WINEPREFIX must name the prefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=;mshtml="
arch="${MEZURA_WINE_ARCH:-win32}"

if [ "$arch" = win64 ]; then
  loader=/usr/lib/wine/wine64
  export WINESERVER=/usr/lib/wine/wineserver64
else
  export WINEARCH=win32
  if why=$("$(dirname "$0")/wine32-status.sh"); then
    loader=/usr/lib/wine/wine
    export WINESERVER=/usr/lib/wine/wineserver
  else
    # Under emulation every Wine process takes most of a minute to start and a new prefix
    # a quarter of an hour, so this is opt-in; 77 tells CTest the test was skipped.
    if [ ! -e /usr/lib/wine/wine ] || [ "${MEZURA_WINE32_QEMU:-0}" != 1 ]; then
      case "${1:-}" in --start-server|--stop-server) exit 0 ;; esac
      echo "wine-exec: skipped: $why" >&2
      exit 77
    fi
    # Wine starts every new process by exec'ing "wine" from its own folder, so the shim is a
    # folder laid out like /usr/lib whose "wine" is a script that runs the real loader in qemu.
    shim="$WINEPREFIX.qemu"
    if [ ! -x "$shim/lib/wine/wine" ]; then
      mkdir -p "$shim/lib/wine"
      ln -sfn /usr/lib/i386-linux-gnu "$shim/lib/i386-linux-gnu"
      ln -sfn /usr/share "$shim/share"
      cp /usr/lib/wine/wine "$shim/lib/wine/wine-real"
      printf '#!/bin/sh\nexec qemu-i386 -L / -0 "%s/lib/wine/wine" "%s/lib/wine/wine-real" "$@"\n' "$shim" "$shim" > "$shim/lib/wine/wine.tmp"
      chmod +x "$shim/lib/wine/wine.tmp"
      mv "$shim/lib/wine/wine.tmp" "$shim/lib/wine/wine"
    fi
    loader="$shim/lib/wine/wine"
    export WINELOADERNOEXEC=1
    export WINESERVER=/usr/lib/wine/wineserver64
  fi
fi

# First use: make the prefix, let a crashing program exit at once instead of opening the
# crash dialog, and give windows the null driver when there is no display.
if [ ! -f "$WINEPREFIX/.mezura-ready" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/.mezura-ready" ]; then
      "$loader" wineboot -u >/dev/null 2>&1 || true
      "$loader" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 || true
      # Windows without a display: the null driver creates and drives them, without pixels.
      if [ -z "${DISPLAY:-}" ]; then
        "$loader" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1 || true
      fi
      "$WINESERVER" -w || true
      touch "$WINEPREFIX/.mezura-ready"
    fi
  ) 9>"$WINEPREFIX.lock"
fi

# Wine's own fonts (Debian's fonts-wine: the "System" font of our dialogs, Tahoma of the
# captions, Marlett of the caption buttons, without which a title bar shows "0 1 r") lie in
# /usr/share/wine/fonts, where this Wine does not look for them; it reads the prefix's Fonts
# folder at every start.
if [ ! -e "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf" ] && [ -e /usr/share/wine/fonts/marlett.ttf ]; then
  (
    flock 9
    mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
    cp -n /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
  ) 9>"$WINEPREFIX.lock"
fi

case "${1:-}" in
  --start-server)
    # Start the server and Wine's own services now, away from the caller's output: a service
    # started by a test run would hold that run's output pipe open until the server ends.
    "$WINESERVER" -p 60 </dev/null >/dev/null 2>&1 || true
    "$loader" wineboot </dev/null >/dev/null 2>&1 || true
    exit 0 ;;
  --stop-server) "$WINESERVER" -k 2>/dev/null || true; exit 0 ;;
esac
exec "$loader" "$@"
