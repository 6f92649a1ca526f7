#!/usr/bin/env bash
# Times the clipboard commands of the 32-bit TalsekTray.exe under Wine against the rich edit floor
# (a bare control that only pastes and copies the same text) and prints the Markdown table; exits 1
# when a result is wrong or a command takes more than the goal's multiple of its floor.
# Usage: scripts/measure-command.sh [build-dir] [tests/e2e/speed.py options, e.g. --repeats 5]
# The build folder (default build/mingw32) is configured with the mingw32 preset when it is new.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/mingw32
if [ $# -gt 0 ] && [ "${1#-}" = "$1" ]; then build=$(realpath -m "$1"); shift; fi

log=$(mktemp)
trap 'rm -f "$log"' EXIT
if ! { [ -f "$build/CMakeCache.txt" ] || cmake --preset mingw32 -S "$root" -B "$build"; } >"$log" 2>&1 ||
   ! cmake --build "$build" --target TalsekTray probe talsek_standin richedit_floor >>"$log" 2>&1; then
  cat "$log" >&2
  exit 1
fi
cd "$root/tests/e2e"
python3 speed.py --build "$build" "$@"
