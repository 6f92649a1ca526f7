#!/usr/bin/env bash
# Builds everything and runs every test: the portable core's unit tests natively, the same under
# AddressSanitizer and UndefinedBehaviorSanitizer with short fuzz runs and clang-tidy, the 64-bit
# and 32-bit Windows programs, and the end-to-end tests of the 32-bit program under Wine.
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
ctest --preset mingw32
