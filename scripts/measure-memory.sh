#!/usr/bin/env bash
# Counts the copies of a plain text that stay in the 64-bit TalsekTray.exe's memory under Wine after
# a decryption, an encryption and an in-place decryption, read from outside as any program of the
# same user can. A measurement to look at, not a test.
# Usage: scripts/measure-memory.sh [build-dir]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/mingw64
if [ $# -gt 0 ] && [ "${1#-}" = "$1" ]; then build=$(realpath -m "$1"); shift; fi
{ [ -f "$build/CMakeCache.txt" ] || cmake --preset mingw64 -S "$root" -B "$build" >/dev/null; }
cmake --build "$build" --target TalsekTray probe talsek_standin >/dev/null
cd "$root/tests/e2e"
python3 memory_copies.py --build "$build" "$@"
