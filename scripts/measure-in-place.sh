#!/usr/bin/env bash
# Times the in-place encryption of the 64-bit TalsekTray.exe under Wine: from the user letting go of
# the shortcut to the replaced text in a probe's window, at 1 KB and 64 KB (median of 5). A
# measurement to look at, not a test.
# Usage: scripts/measure-in-place.sh [build-dir] [tests/e2e/in_place_speed.py options]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/mingw64
if [ $# -gt 0 ] && [ "${1#-}" = "$1" ]; then build=$(realpath -m "$1"); shift; fi
{ [ -f "$build/CMakeCache.txt" ] || cmake --preset mingw64 -S "$root" -B "$build" >/dev/null; }
cmake --build "$build" --target TalsekTray probe talsek_standin >/dev/null
cd "$root/tests/e2e"
python3 in_place_speed.py --build "$build" "$@"
