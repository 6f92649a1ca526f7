#!/usr/bin/env bash
# Opens TalsekTray's tray menu on a virtual display and saves a picture of it, so that a person can
# check the captions, their order, the separators and the bold default item.
#
#   tests/e2e/screenshot-menu.sh [BUILD_DIR] [OUT.png]
#
# BUILD_DIR is a 32-bit cross build (default build/mingw32) with the program, the probe and the
# stand-in built; OUT defaults to BUILD_DIR/tests/e2e/e2e-artifacts/menu.png (the whole screen is
# saved beside it as menu-screen.png).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
build="$(cd "${1:-$root/build/mingw32}" && pwd)"
out="${2:-$build/tests/e2e/e2e-artifacts/menu.png}"
e2e="$build/tests/e2e"
state="$e2e/screenshot-state.json"

mkdir -p "$(dirname "$out")"
python3 "$here/harness.py" setup --state "$state" --work "$e2e/screenshot-work" \
  --artifacts "$e2e/screenshot-work-artifacts" --probe "$e2e/probe.exe" --standin "$e2e/talsek.exe" \
  --program "$build/TalsekTray/TalsekTray.exe"
trap 'python3 "$here/harness.py" teardown --state "$state"; rm -rf "$e2e/screenshot-work" "$e2e/screenshot-work-artifacts"' EXIT
python3 "$here/harness.py" menu-screenshot --state "$state" --out "$out"
