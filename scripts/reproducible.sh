#!/usr/bin/env bash
# Shows that the release is reproducible: the current commit is built twice, in two fresh clones in
# different folders and at different times, and every program and package of both is compared byte
# for byte. Prints both builds' SHA256SUMS side by side; exits 1 on any difference.
# Usage: scripts/reproducible.sh
set -euo pipefail
cd "$(dirname "$0")/.."

work=$(mktemp -d /tmp/talsek-reproducible.XXXXXX)
trap 'rm -rf "$work"' EXIT
for build in first second-elsewhere; do
  git clone -q . "$work/$build"
  (cd "$work/$build" && bash scripts/release.sh >"$work/$build.log" 2>&1) ||
    { tail -n 30 "$work/$build.log" >&2; exit 1; }
  echo "$build build done at $(date -u +%H:%M:%S) in $work/$build"
  sleep 2
done

a=$work/first
b=$work/second-elsewhere
status=0
for file in build/release/SHA256SUMS build/release/*.zip build/release/*.exe \
            build/mingw64/TalsekTray/TalsekTray.exe build/mingw64/Talsek/talsek.exe \
            build/mingw32/TalsekTray/TalsekTray.exe build/mingw32/Talsek/talsek.exe; do
  for f in "$a"/$file; do
    rel=${f#"$a"/}
    if cmp -s "$f" "$b/$rel"; then echo "same       $rel"; else echo "DIFFERENT  $rel"; status=1; fi
  done
done
echo
echo "SHA-256, first build | second build:"
paste -d '|' "$a/build/release/SHA256SUMS" <(cut -d' ' -f1 "$b/build/release/SHA256SUMS")
exit $status
