#!/usr/bin/env bash
# Installs the Debian packages that building and testing need; does nothing when they are all there.
# Usage: scripts/install-deps.sh [native|windows|all]   (default: all)
set -euo pipefail

what=${1:-all}
native=(cmake ninja-build g++ googletest libgtest-dev libbenchmark-dev python3)
windows=(g++-mingw-w64-i686 g++-mingw-w64-x86-64 googletest wine wine32:i386 wine64 xvfb xdotool xclip x11-utils imagemagick fonts-wine nsis)

case "$what" in
  native) wanted=("${native[@]}") ;;
  windows) wanted=("${windows[@]}") ;;
  all) wanted=("${native[@]}" "${windows[@]}") ;;
  *) echo "usage: $0 [native|windows|all]" >&2; exit 2 ;;
esac

missing=()
for p in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
for p in "${missing[@]}"; do
  if [[ "$p" == *:i386 ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
  fi
done
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
