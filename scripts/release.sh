#!/usr/bin/env bash
# Builds the release: both Windows builds with their packages, checked without running them (each
# ZIP's contents; the programs stripped, of the package's machine type and within its size budget), and
# copied to one folder with the winget and Scoop manifests made from them (packaging/manifests.py,
# which checks them too) and SHA256SUMS beside them, for `sha256sum -c SHA256SUMS`.
#   SOURCE_DATE_EPOCH       the time in every package; by default the last commit's
#   TALSEK_SIGN_PKCS12 ...  sign with this certificate (packaging/sign.sh); unsigned without
#   TALSEK_DOWNLOAD_BASE    where the packages will be downloaded from, as <base>/<version>/<file>;
#                           by default a placeholder (https://example.invalid/talsektray)
# Usage: scripts/release.sh [folder]   (default build/release)
set -euo pipefail
cd "$(dirname "$0")/.."

out=${1:-build/release}
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}
version=$(sed -n 's/^project(TalsekTray VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)

rm -rf "$out"
mkdir -p "$out"
for bits in 64 32; do
  cmake --preset "mingw$bits"
  cmake --build --preset "mingw$bits"
  cmake --build --preset "mingw$bits" --target package
  packages=("build/mingw$bits/TalsekTray-$version-win$bits.zip" "build/mingw$bits/TalsekTray-$version-win$bits-setup.exe")
  python3 scripts/check-release.py "${packages[@]}"
  cp "${packages[@]}" "$out/"
done
# The manifests carry the sums of the packages as they are shipped, signed where they are signed.
python3 packaging/manifests.py write "$out"
(cd "$out" && sha256sum -- *.zip *.exe $(find winget scoop -type f | LC_ALL=C sort) >SHA256SUMS)
echo "release: $(realpath "$out")"
cat "$out/SHA256SUMS"
