#!/bin/sh
# Signs one Windows program in place (Authenticode, SHA-256) with the certificate that
# KESTRUM_SIGN_PKCS12 names, its password read from the file KESTRUM_SIGN_PASSWORD_FILE, and
# a timestamp from KESTRUM_SIGN_TIMESTAMP_URL ("none": without one); then verifies the
# signature against the authorities in KESTRUM_SIGN_CHAIN. The file is replaced only by a
# signature that verifies; anything else fails.
#   sign_file.sh FILE
set -eu
file=$1
trap 'rm -f "$file.signed"' EXIT
set -- -pkcs12 "$KESTRUM_SIGN_PKCS12" -readpass "$KESTRUM_SIGN_PASSWORD_FILE" -h sha256 \
  -n Kestrum
if [ "$KESTRUM_SIGN_TIMESTAMP_URL" != none ]; then set -- "$@" -ts "$KESTRUM_SIGN_TIMESTAMP_URL"; fi
osslsigncode sign "$@" -in "$file" -out "$file.signed" >/dev/null
if ! report=$(osslsigncode verify -CAfile "$KESTRUM_SIGN_CHAIN" -in "$file.signed" 2>&1); then
  printf '%s\n' "$report" >&2
  echo "sign_file.sh: the signature of $file does not verify" >&2
  exit 1
fi
mv "$file.signed" "$file"
