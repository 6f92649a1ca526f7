#!/usr/bin/env bash
# Times the clipboard commands of the 64-bit TalsekTray.exe under Wine against the floor (a bare
# program that only reads the clipboard's text and writes it back) and prints the Markdown table; exits 1
# when a result is wrong or a command takes more than the goal's multiple of its floor.
# Usage: scripts/measure-command.sh [build-dir] [tests/e2e/speed.py options, e.g. --repeats 5]
# The build folder (default build/mingw64) is configured when it is new: with the mingw32 preset
# when its name says mingw32 (the 32-bit program), with mingw64 otherwise.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/mingw64
if [ $# -gt 0 ] && [ "${1#-}" = "$1" ]; then build=$(realpath -m "$1"); shift; fi
case "$(basename "$build")" in *mingw32*) preset=mingw32 ;; *) preset=mingw64 ;; esac

log=$(mktemp)
trap 'rm -f "$log"' EXIT
if ! { [ -f "$build/CMakeCache.txt" ] || cmake --preset "$preset" -S "$root" -B "$build"; } >"$log" 2>&1 ||
   ! cmake --build "$build" --target TalsekTray probe talsek_standin clipboard_floor >>"$log" 2>&1; then
  cat "$log" >&2
  exit 1
fi
cd "$root/tests/e2e"
python3 speed.py --build "$build" "$@"
