#!/bin/sh
# Signs one Windows program in place (Authenticode, SHA-256) with the certificate that
# KESTRUM_SIGN_PKCS12 names, its password read from the file KESTRUM_SIGN_PASSWORD_FILE, and
# a timestamp from KESTRUM_SIGN_TIMESTAMP_URL when one is named.
#   sign_file.sh FILE
set -eu
file=$1
set -- -pkcs12 "$KESTRUM_SIGN_PKCS12" -readpass "$KESTRUM_SIGN_PASSWORD_FILE" -h sha256 \
  -n Kestrum
if [ -n "${KESTRUM_SIGN_TIMESTAMP_URL:-}" ]; then set -- "$@" -ts "$KESTRUM_SIGN_TIMESTAMP_URL"; fi
osslsigncode sign "$@" -in "$file" -out "$file.signed" >/dev/null
mv "$file.signed" "$file"
