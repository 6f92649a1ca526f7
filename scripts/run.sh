#!/usr/bin/env bash
# Builds the 64-bit program, the release, and starts it under Wine: on the current X display, or on a
# virtual one (Xvfb) when there is none.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh windows
. scripts/platform.sh
talsek_wine_env
cmake --preset mingw64 >/dev/null
cmake --build --preset mingw64

export WINEPREFIX="${WINEPREFIX:-$HOME/.wine-talsektray}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

if [ -z "${DISPLAY:-}" ]; then
  display=:77
  while [ -e "/tmp/.X11-unix/X${display#:}" ]; do display=":$(( ${display#:} + 1 ))"; done
  Xvfb "$display" -screen 0 1280x800x24 >/dev/null 2>&1 &
  xvfb=$!
  trap 'kill "$xvfb" 2>/dev/null || true' EXIT
  export DISPLAY="$display"
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  echo "No X display: started Xvfb on $DISPLAY. To see it: DISPLAY=$DISPLAY import -window root shot.png"
  echo "The tray icon sits in Wine's own window \"Wine System Tray\"; copy text with"
  echo "  printf 'Hallo Welt' | DISPLAY=$DISPLAY xclip -selection clipboard -i"
fi

[ -d "$WINEPREFIX" ] || "$TALSEK_WINE" wineboot -i >/dev/null 2>&1
echo "Starting TalsekTray (WINEPREFIX=$WINEPREFIX); end it with \"Beenden\" in its tray menu or Ctrl+C."
"$TALSEK_WINE" build/mingw64/TalsekTray/TalsekTray.exe
