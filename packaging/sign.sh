#!/usr/bin/env bash
# Signs Windows programs and installers in place: Authenticode with SHA-256, by osslsigncode, with
# the code-signing certificate that the environment names:
#   TALSEK_SIGN_PKCS12     the PKCS#12 file with the certificate and its private key
#   TALSEK_SIGN_PASSWORD   its password
#   TALSEK_SIGN_TIMESTAMP  the URL of an RFC 3161 time stamp server; optional: only a signature
#                          without a time stamp is the same bytes at each signing
# The signing time is SOURCE_DATE_EPOCH's (the build's), so that the same files signed with the same
# certificate give the same bytes.
# Usage: packaging/sign.sh FILE...
set -euo pipefail
: "${TALSEK_SIGN_PKCS12:?no certificate: set TALSEK_SIGN_PKCS12}"
: "${SOURCE_DATE_EPOCH:?SOURCE_DATE_EPOCH is not set}"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The password through a file of the user's own, never on a command line that others can list.
(umask 077 && printf '%s\n' "${TALSEK_SIGN_PASSWORD:-}" >"$work/password")
timestamp=()
[ -z "${TALSEK_SIGN_TIMESTAMP:-}" ] || timestamp=(-ts "$TALSEK_SIGN_TIMESTAMP")

for file in "$@"; do
  if ! osslsigncode sign -pkcs12 "$TALSEK_SIGN_PKCS12" -readpass "$work/password" -h sha256 \
       -n TalsekTray -time "$SOURCE_DATE_EPOCH" "${timestamp[@]}" \
       -in "$file" -out "$work/signed" >"$work/log" 2>&1; then
    cat "$work/log" >&2
    echo "sign.sh: could not sign $file" >&2
    exit 1
  fi
  # Over the original, keeping its name and its place.
  cat "$work/signed" >"$file"
  rm -f "$work/signed"
done
