#!/usr/bin/env bash
# Builds everything and runs every test: the portable core's unit tests natively, the same under
# AddressSanitizer and UndefinedBehaviorSanitizer with short fuzz runs and clang-tidy, the 64-bit
# and 32-bit Windows programs with their release packages and the winget and Scoop manifests made
# from them, the lint of the Windows CI workflow, and the Windows-side and end-to-end tests
# under Wine: of the 64-bit programs always, of the 32-bit ones where this machine runs 32-bit code.
# TALSEK_64BIT_ONLY=1 takes the path of a machine that cannot, anywhere.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh all
. scripts/platform.sh

cmake --preset native
cmake --build --preset native
ctest --preset native

bash scripts/hardening.sh

# Both Windows builds with their packages, checked without running them, in build/release with
# their manifests (checked as they are written) and checksums, which must hold; the manifest check
# shown to catch a wrong sum and a missing field; the Windows CI workflow, which cannot run here,
# linted.
bash scripts/release.sh
(cd build/release && sha256sum -c SHA256SUMS)
python3 packaging/manifests_test.py
bash scripts/lint-workflows.sh

ctest --preset mingw64
if talsek_runs_32bit; then
  ctest --preset mingw32
else
  not_run=$(ctest --preset mingw32 -N | sed -n 's/^ *Test *#[0-9]*: *//p' | grep -v '^e2e_\(setup\|teardown\)$' | paste -sd, -)
  echo "Not run: the 32-bit programs' ${not_run//,/, } ($TALSEK_WHY); they were built, packaged and checked."
fi
