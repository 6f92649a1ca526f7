#!/usr/bin/env bash
# Builds everything and runs every test: the portable core's unit tests natively, the same under
# AddressSanitizer and UndefinedBehaviorSanitizer with short fuzz runs and clang-tidy, the 64-bit
# and 32-bit Windows programs with the release package, and the end-to-end tests of the 32-bit
# programs under Wine, with the start-up and clipboard cases of the 64-bit program.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh all

cmake --preset native
cmake --build --preset native
ctest --preset native

bash scripts/hardening.sh

cmake --preset mingw64
cmake --build --preset mingw64

cmake --preset mingw32
cmake --build --preset mingw32
# The release packages: the ZIP with both programs and the German read-me, nothing else, and the
# installer of the same files.
cmake --build --preset mingw32 --target package
zip_contents=$(python3 -m zipfile -l build/mingw32/TalsekTray-1.5-win32.zip | awk 'NR>1{print $1}' | sort | tr '\n' ' ')
expected="TalsekTray-1.5-win32/LIESMICH.txt TalsekTray-1.5-win32/TalsekTray.exe TalsekTray-1.5-win32/talsek.exe "
if [ "$zip_contents" != "$expected" ]; then
  echo "release package: expected $expected, found $zip_contents" >&2
  exit 1
fi
# Both programs stripped and at most 400 KB each; the installer is there.
python3 scripts/check-release.py build/mingw32/TalsekTray-1.5-win32.zip build/mingw32/TalsekTray-1.5-setup.exe
ctest --preset mingw32
# The 64-bit program through its start-up and clipboard cases.
ctest --preset mingw64
