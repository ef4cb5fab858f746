#!/usr/bin/env bash
# build_setup.sh's signing cannot fail silently: with a stand-in signing tool first on PATH
# that records its environment and breaks the sign call it is told to (failing it, or leaving
# the file unsigned), every fault fails the build without leaving a setup program.
#   release_signing_test.sh BUILD_FOLDER
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# A throw-away self-signed code-signing certificate, its own chain.
openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj "/CN=Kestrum signing test" \
  -addext keyUsage=critical,digitalSignature -addext extendedKeyUsage=codeSigning \
  -keyout signer.key -out signer.pem 2>/dev/null
password="password-of-the-signing-test"
openssl pkcs12 -export -inkey signer.key -in signer.pem -passout "pass:$password" -out signer.p12

# The stand-in passes its calls on to the real tool, less any timestamp server (there is none
# here), after recording its environment; of the sign calls it counts, it fails the
# FAIL_SIGN_CALL-th and copies the file unsigned in the UNSIGNED_SIGN_CALL-th.
mkdir tools
export REAL_OSSLSIGNCODE
REAL_OSSLSIGNCODE=$(command -v osslsigncode)
cat >tools/osslsigncode <<'EOF'
#!/bin/sh
env >>"$STAND_IN_LOG"
for argument do
  shift
  if [ "$argument" = -ts ]; then skip=1; elif [ -n "${skip:-}" ]; then skip=
  else set -- "$@" "$argument"; fi
done
[ "$1" = sign ] || exec "$REAL_OSSLSIGNCODE" "$@"
echo >>"$STAND_IN_LOG.signed"
call=$(wc -l <"$STAND_IN_LOG.signed")
[ "$call" != "${FAIL_SIGN_CALL:-}" ] || exit 1
if [ "$call" = "${UNSIGNED_SIGN_CALL:-}" ]; then
  while [ "$1" != -in ]; do shift; done
  exec cp "$2" "$4"
fi
exec "$REAL_OSSLSIGNCODE" "$@"
EOF
chmod +x tools/osslsigncode

# CASE [VARIABLE=VALUE...]: build_setup.sh into the folder CASE, with the stand-in signing tool.
build_setup() {
  local name=$1
  shift
  env -u QELT_DLL -u KESTRUM_SIGN_PKCS12 -u KESTRUM_SIGN_PASSWORD -u KESTRUM_SIGN_TIMESTAMP_URL \
    PATH="$work/tools:$PATH" STAND_IN_LOG="$work/$name.env" "$@" \
    "$here/../../installer/build_setup.sh" "$build" "$work/$name" >"$name.out" 2>"$name.err"
}
refused() {
  if build_setup "$@"; then
    echo "$1: built $(cat "$1.out")"
    return 1
  elif compgen -G "$work/$1/*.exe" >/dev/null; then
    echo "$1: failed, but left $(ls "$work/$1")"
    return 1
  fi
}
# CASE NAME_ENDING [VARIABLE=VALUE...]
built() {
  local name=$1 ending=$2
  shift 2
  build_setup "$name" "$@" || { cat "$name.err"; echo "$name: not built"; return 1; }
  [[ $(cat "$name.out") == *"$ending" ]] || { echo "$name: named $(cat "$name.out")"; return 1; }
}
password_kept_from_the_signing_tool() {
  if [ ! -s signed.env ] || grep -qF "$password" signed.env; then
    echo "the signing tool's environment holds the password, or it never ran"
    return 1
  fi
}

checks=0 failures=0
check() {
  checks=$((checks + 1))
  "$@" || failures=$((failures + 1))
}
signing=(KESTRUM_SIGN_PKCS12="$work/signer.p12" KESTRUM_SIGN_PASSWORD="$password")
untimed=("${signing[@]}" KESTRUM_SIGN_TIMESTAMP_URL=none)
# The sign calls come in this order: Kestrum.exe, the uninstaller, the setup program.
check refused uninstaller-signing-fails "${untimed[@]}" FAIL_SIGN_CALL=2
check refused setup-signing-fails "${untimed[@]}" FAIL_SIGN_CALL=3
check refused uninstaller-left-unsigned "${untimed[@]}" UNSIGNED_SIGN_CALL=2
check refused no-timestamp-server "${signing[@]}"
check built unsigned -setup-unsigned.exe
check built signed -setup.exe "${untimed[@]}"
check password_kept_from_the_signing_tool
echo "$((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
