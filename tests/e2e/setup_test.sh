#!/usr/bin/env bash
# The setup program end to end: built from the build folder's Kestrum.exe and signed with a
# throw-away certificate; then setup_test.cpp installs, upgrades and removes it in a fresh
# prefix; then the signatures of the setup and of what it installs are checked; then the
# installed Kestrum is started at a log-on.
#   setup_test.sh BUILD_FOLDER LOADER TEST_PROGRAM
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$1 loader=$2 program=$3
prefix=$build/setup-test-prefix
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# An authority of the test's own, and a code-signing certificate it issued.
openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj "/CN=Kestrum test authority" \
  -addext basicConstraints=critical,CA:TRUE -addext keyUsage=critical,keyCertSign \
  -keyout ca.key -out ca.pem 2>/dev/null
openssl req -newkey rsa:2048 -nodes -subj "/CN=Kestrum test signer" -keyout signer.key \
  -out signer.csr 2>/dev/null
printf 'basicConstraints=CA:FALSE\nkeyUsage=critical,digitalSignature\nextendedKeyUsage=codeSigning\n' \
  >signer.ext
openssl x509 -req -days 1 -in signer.csr -CA ca.pem -CAkey ca.key -CAcreateserial \
  -extfile signer.ext -out signer.pem 2>/dev/null
# The certificate file carries its chain, which the build verifies each signature against;
# a throw-away certificate needs no timestamp.
openssl pkcs12 -export -inkey signer.key -in signer.pem -certfile ca.pem -passout pass:throw-away \
  -out signer.p12
signed_setup() {
  KESTRUM_SIGN_PKCS12=$work/signer.p12 KESTRUM_SIGN_PASSWORD=throw-away \
    KESTRUM_SIGN_TIMESTAMP_URL=none "$here/../../installer/build_setup.sh" "$build" "$build/bin" \
    2>build.log || { cat build.log >&2; exit 1; }
}
setup=$(signed_setup)
# An older release's setup, for the downgrades and upgrades (kOlderVersion in setup_test.cpp).
KESTRUM_SETUP_VERSION=0.0.0.1 signed_setup >/dev/null

rm -rf "$prefix"
status=0
"$here/run_e2e.sh" "$prefix" "$loader" "$program" || status=1

"$here/../../tools/with_private_display.sh" "$here/../../tools/wine_run.sh" "$prefix" "$loader" \
  "$setup" /S
for folder in "$prefix/drive_c/Program Files (x86)/Kestrum" "$prefix/drive_c/Program Files/Kestrum"; do
  [ -d "$folder" ] && break
done
WINEPREFIX=$prefix /usr/lib/wine/wineserver -k 2>/dev/null || true
verify() { osslsigncode verify -CAfile ca.pem -in "$1" >/dev/null 2>&1; }
for file in "$setup" "$folder/Kestrum.exe" "$folder/Uninstall.exe"; do
  verify "$file" || { echo "signature not accepted: $file"; status=1; }
done
cp "$setup" changed.exe
byte=$(od -An -tu1 -j1024 -N1 changed.exe)
printf "\\$(printf %o $((byte ^ 1)))" | dd of=changed.exe bs=1 seek=1024 conv=notrunc 2>/dev/null
if verify changed.exe; then echo "signature accepted with one byte changed"; status=1; fi

# A log-on after the session above has ended: the test runs a plain wineboot, which starts
# what the machine's Run values name.
"$here/run_e2e.sh" "$prefix" "$loader" "$program" --gtest_also_run_disabled_tests \
  --gtest_filter='*AtLogOn*' || status=1
exit $status
