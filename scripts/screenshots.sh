#!/usr/bin/env bash
# Takes the README's pictures under Wine on a virtual display, each cropped to its window:
#   docs/tray-menu.png   the tray icon's menu
#   docs/tray-menu-tastenkuerzel.png  the same menu with both commands' shortcuts set
#   docs/optionen.png    the options dialog of talsek.exe
#   docs/setup-auswahl.png  the installer's choice page
#   docs/tray-100.png, docs/tray-200.png  the tray icon at 100 % and 200 % display scale
# Usage: scripts/screenshots.sh [build folder]   (default build/mingw64; built here if need be)
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build/mingw64}
case "$(basename "$build")" in *mingw32*) bits=32 ;; *) bits=64 ;; esac
# Among the Windows packages: Wine's own fonts (Marlett among them); without them the caption's
# buttons are drawn as the letters "0", "1" and "r".
scripts/install-deps.sh windows
. scripts/platform.sh
talsek_wine_env
cmake --preset "mingw$bits" -B "$build" >/dev/null
cmake --build "$build"
cmake --build "$build" --target package >/dev/null

work=$(mktemp -d /tmp/talsek-screenshots.XXXXXX)
state=$work/state.json
trap 'python3 tests/e2e/harness.py teardown --state "$state" >/dev/null 2>&1 || true; rm -rf "$work"' EXIT
python3 tests/e2e/harness.py setup --state "$state" --work "$work/work" --artifacts "$work/artifacts" \
  --probe "$build/tests/e2e/probe.exe" --standin "$build/tests/e2e/talsek.exe" \
  --program "$build/TalsekTray/TalsekTray.exe"
mkdir -p docs

# The menu: the harness opens it as a right-click on the icon would and crops to it.
python3 tests/e2e/harness.py menu-screenshot --state "$state" --out "$work/tray-menu.png"
convert "$work/tray-menu.png" +repage docs/tray-menu.png
python3 tests/e2e/harness.py menu-screenshot --state "$state" --out "$work/tray-menu-tastenkuerzel.png" --shortcuts
convert "$work/tray-menu-tastenkuerzel.png" +repage docs/tray-menu-tastenkuerzel.png

# The dialog, as "Talsek-Optionen ändern" shows it over saved settings.
read -r DISPLAY WINEPREFIX < <(python3 -c 'import json,sys; s=json.load(open(sys.argv[1])); print(s["display"], s["prefix"])' "$state")
export DISPLAY WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# Without a window manager on the virtual display, Wine draws the caption and frame itself only for
# windows it does not hand to one.
"$TALSEK_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
# This Wine does not look in the packaged font folder for the caption buttons' symbol font.
cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
key='HKCU\Software\Holvarin\Talsek'
stored=$(python3 -c 'import sys; sys.path.insert(0, "tests/e2e"); import cipher_reference as r; print(r.stored_key(b"Geheimnis").decode())')
"$TALSEK_WINE" reg delete "$key" /f >/dev/null 2>&1 || true
# The shortcuts Strg+Umschalt+V and Strg+Umschalt+E, as the hotkey control stores them (0x0356, 0x0345).
for value in Methode:4 CaesarVerschiebung:3 MatrixQuadratisch:1 Spaltenzahl:5 SonderzeichenIgnorieren:1 \
             UmlauteErsetzen:1 Kleinschrift:0 Grossschrift:0 LeerzeichenLoeschen:0 \
             TastenkuerzelVerschluesseln:854 TastenkuerzelEntschluesseln:837; do
  "$TALSEK_WINE" reg add "$key" /v "${value%%:*}" /t REG_DWORD /d "${value#*:}" /f >/dev/null 2>&1
done
"$TALSEK_WINE" reg add "$key" /v VigenereSchluessel /t REG_SZ /d "$stored" /f >/dev/null 2>&1
"$TALSEK_WINE" "$build/Talsek/talsek.exe" -onlyoption >/dev/null 2>&1 &
editor=$!
window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Talsek-Optionen$' | head -n 1)
# Let it paint: the window is mapped before its controls are drawn.
sleep 1
eval "$(xdotool getwindowgeometry --shell "$window")"
import -display "$DISPLAY" -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage docs/optionen.png
kill "$editor" 2>/dev/null || true

# Crops the first visible window whose name matches $1 into $2, once it has had time to paint.
shoot() {
  local window
  window=$(timeout 60 xdotool search --sync --onlyvisible --name "$1" | head -n 1)
  sleep 1
  eval "$(xdotool getwindowgeometry --shell "$window")"
  import -display "$DISPLAY" -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$2"
}

# The installer's first page, where the start at log-on is chosen; it is left without installing.
"$TALSEK_WINE" "$build/TalsekTray-1.5-win$bits-setup.exe" >/dev/null 2>&1 &
shoot '^Installation von TalsekTray' docs/setup-auswahl.png
wineserver -k >/dev/null 2>&1 || true

# The tray icon, at 96 and 192 dots per inch (Wine's display scale, read when its processes start).
for scale in 100 200; do
  "$TALSEK_WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d $((96 * scale / 100)) /f >/dev/null 2>&1
  wineserver -k >/dev/null 2>&1 || true
  "$TALSEK_WINE" "$build/TalsekTray/TalsekTray.exe" >/dev/null 2>&1 &
  shoot '^Wine System Tray$' "$work/tray-$scale.png"
  convert "$work/tray-$scale.png" +repage "docs/tray-$scale.png"
  wineserver -k >/dev/null 2>&1 || true
done
"$TALSEK_WINE" reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f >/dev/null 2>&1 || true
echo "Saved docs/tray-menu.png, docs/tray-menu-tastenkuerzel.png, docs/optionen.png, docs/setup-auswahl.png, docs/tray-100.png and docs/tray-200.png"
