#!/usr/bin/env bash
# Runs one command under a Wine prefix and a virtual X display of its own, so that a test that
# makes windows, tray icons and registry keys disturbs nothing else. Exits with the command's code.
# Usage: scripts/with-wine.sh <prefix-dir> <command...>
#   A command that ends in .exe is started with the Wine loader that scripts/platform.sh chooses;
#   any other command finds that loader in TALSEK_WINE (and WINELOADER) in its environment.
set -euo pipefail
[ $# -ge 2 ] || { echo "usage: $0 <prefix-dir> <command...>" >&2; exit 2; }
prefix=$1; shift
. "$(dirname "$0")/platform.sh"
talsek_wine_env
[[ "$1" != *.exe ]] || set -- "$TALSEK_WINE" "$@"

display=110
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=":$display" WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
cleanup() { wineserver -k >/dev/null 2>&1 || true; kill "$xvfb" 2>/dev/null || true; }
trap cleanup EXIT
for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done

# A prefix is made here only where there is none, and this script records in it that it made it
# (.made-by-with-wine, written before Wine fills the folder; .made once Wine is done). Only such a
# prefix, when its making was cut short, is deleted and made again: Wine cannot start anything in it.
# A prefix that this script did not make (a user's own ~/.wine, say) is used as it is, never deleted.
if [ -f "$prefix/.made-by-with-wine" ] && [ ! -f "$prefix/.made" ]; then
  rm -rf "$prefix"
fi
if [ ! -e "$prefix" ] || { [ -d "$prefix" ] && [ -z "$(ls -A "$prefix")" ]; }; then
  mkdir -p "$prefix"
  touch "$prefix/.made-by-with-wine"
  "$TALSEK_WINE" wineboot -i >/dev/null 2>&1
  wineserver -w
  touch "$prefix/.made"
fi
wineserver -p >/dev/null 2>&1 || true
set +e
"$@"
rc=$?
set -e
exit $rc
