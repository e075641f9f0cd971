# Sourced by the screenshot scripts: a Wine prefix of its own under $1 that draws on a virtual X
# display, inside a Wine virtual desktop of size $2 (WIDTHxHEIGHT), so pictures hold title bars
# and nothing else. Needs $root (the checkout) and MEZURA_WINE_ARCH; stops both on exit.
screen_session() {
  local work=$1 size=$2
  if ! command -v import >/dev/null; then
    local sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"
    echo "screenshots: installing imagemagick"
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends imagemagick >/dev/null
  fi
  mkdir -p "$work"
  export WINEPREFIX=$work/prefix HOME=$work/home
  export XDG_CONFIG_HOME=$HOME/.config XDG_DATA_HOME=$HOME/.local/share XDG_CACHE_HOME=$HOME/.cache
  local display=:$((90 + RANDOM % 100))
  Xvfb "$display" -screen 0 "${size}x24" -nolisten tcp >/dev/null 2>&1 &
  screen_xvfb=$!
  trap '"$root"/tools/wine-exec.sh --stop-server >/dev/null 2>&1 || true; kill $screen_xvfb 2>/dev/null || true' EXIT
  export DISPLAY=$display
  sleep 1
  "$root"/tools/wine-exec.sh reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
  "$root"/tools/wine-exec.sh reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$size" /f >/dev/null 2>&1
}

# The preset whose programs are shown: the 32-bit build where this kernel runs 32-bit programs,
# else the 64-bit build of the same code (said on stderr).
screen_preset() {
  local why
  if why=$("$root"/tools/wine32-status.sh); then echo win32; return; fi
  echo "screenshots: $why; showing the 64-bit build" >&2
  echo win64
}

# A Windows path for a file of this machine: Wine maps / to drive Z:.
winpath() { echo "Z:$1" | tr / '\\'; }
