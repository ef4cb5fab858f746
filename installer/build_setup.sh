#!/usr/bin/env bash
# Builds the setup program from a Windows build folder's Kestrum.exe.
#   build_setup.sh BUILD_FOLDER OUTPUT_FOLDER
# writes OUTPUT_FOLDER/Kestrum-<version>-setup.exe (-setup-unsigned.exe when nothing is signed)
# and prints its path; when any step fails, it leaves no setup program. From the environment:
#   QELT_DLL                   the maker's Qelt.dll to bundle (never the simulator)
#   KESTRUM_SIGN_PKCS12        a code-signing certificate with its key and its chain; with it,
#   KESTRUM_SIGN_PASSWORD      Kestrum.exe, the uninstaller and the setup program are signed
#   KESTRUM_SIGN_TIMESTAMP_URL the timestamp server, required when signing; "none" signs
#                              without a timestamp, for throw-away test certificates only
#   SOURCE_DATE_EPOCH          the time the setup gives the files it installs (default: the
#                              time of the latest commit), so that one commit gives one setup
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$1 output=$2

version_macro() {
  echo "$1" | cpp -P -include "$here/../resources/version.h" - | sed -n 's/^ *"\(.*\)" *$/\1/p'
}
# KESTRUM_SETUP_VERSION gives the setup another version than the product's, for the setup
# tests' upgrades and downgrades only.
version=${KESTRUM_SETUP_VERSION:-$(version_macro KESTRUM_VERSION_TEXT)}
publisher=$(version_macro KESTRUM_PUBLISHER)

exports_of() { objdump -p "$1" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p'; }
architecture_of() {
  case $(objdump -f "$1" | sed -n 's/.*file format //p') in
    pei-i386) echo x86 ;;
    pei-x86-64) echo amd64 ;;
    *) echo unknown ;;
  esac
}
fail() { echo "build_setup.sh: $*" >&2; exit 1; }

program=$build/bin/Kestrum.exe
[ -f "$program" ] || fail "no $program; build it first"
arch=$(architecture_of "$program")
[ "$arch" != unknown ] || fail "$program is not a Windows program"

mkdir -p "$output"
output=$(cd "$output" && pwd)
# A run that fails leaves no setup program there, not even an earlier run's.
rm -f "$output/Kestrum-$version-setup.exe" "$output/Kestrum-$version-setup-unsigned.exe"

# The password file and the setup being built stay in work/; stage/ holds what is installed.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
stage=$work/stage
mkdir "$stage"
cp "$program" "$stage/Kestrum.exe"
defines=(-DVERSION="$version" -DPUBLISHER="$publisher" -DARCH="$arch" -DSTAGE="$stage")

if [ -n "${QELT_DLL:-}" ]; then
  [ -f "$QELT_DLL" ] || fail "QELT_DLL: no file $QELT_DLL"
  [ "$(architecture_of "$QELT_DLL")" = "$arch" ] || fail "QELT_DLL is not a $arch library"
  qelt_exports=$(exports_of "$QELT_DLL")
  grep -qw QeltEvaluate <<<"$qelt_exports" || fail "QELT_DLL does not export QeltEvaluate"
  # The export by which tools tell the controller simulator (qelt/) from the maker's library.
  if grep -qw QeltSimulatorState <<<"$qelt_exports"; then
    fail "QELT_DLL is the controller simulator, which is never shipped"
  fi
  cp "$QELT_DLL" "$stage/Qelt.dll"
  defines+=(-DBUNDLE_QELT)
fi

if [ -n "${KESTRUM_SIGN_PKCS12:-}" ]; then
  [ -f "$KESTRUM_SIGN_PKCS12" ] || fail "KESTRUM_SIGN_PKCS12: no file $KESTRUM_SIGN_PKCS12"
  case ${KESTRUM_SIGN_TIMESTAMP_URL:-} in
    "") fail "KESTRUM_SIGN_TIMESTAMP_URL: a signature without a timestamp stops being valid" \
      "when its certificate expires; name a timestamp server (none: throw-away certificates)" ;;
    none) echo "build_setup.sh: KESTRUM_SIGN_TIMESTAMP_URL=none: signing without a timestamp;" \
      "the signatures die with the certificate" >&2 ;;
  esac
  # The password reaches the signing tool in a file, never on a command line, and no child
  # process gets it in its environment.
  export KESTRUM_SIGN_PASSWORD_FILE=$work/password
  (umask 077 && printf '%s' "${KESTRUM_SIGN_PASSWORD:-}" >"$KESTRUM_SIGN_PASSWORD_FILE")
  unset KESTRUM_SIGN_PASSWORD
  # Each signature is verified against the certificate's chain as the PKCS#12 file carries
  # it, up to its own root or one of the system's.
  export KESTRUM_SIGN_CHAIN=$work/chain.pem
  openssl pkcs12 -in "$KESTRUM_SIGN_PKCS12" -passin "file:$KESTRUM_SIGN_PASSWORD_FILE" -nokeys \
    -out "$KESTRUM_SIGN_CHAIN"
  if [ -f /etc/ssl/certs/ca-certificates.crt ]; then
    cat /etc/ssl/certs/ca-certificates.crt >>"$KESTRUM_SIGN_CHAIN"
  fi
  "$here/sign_file.sh" "$stage/Kestrum.exe"
  defines+=(-DSIGN="$here/sign_file.sh")
  setup=$output/Kestrum-$version-setup.exe
else
  echo "build_setup.sh: no KESTRUM_SIGN_PKCS12, so nothing is signed: Windows refuses to" \
    "start an unsigned Kestrum.exe that asks for uiAccess (see README)" >&2
  setup=$output/Kestrum-$version-setup-unsigned.exe
fi

# The setup keeps each file's time; the files get the commit's, not the time of this run.
# (A tree without its history takes the version record's time.)
epoch=${SOURCE_DATE_EPOCH:-$(git -C "$here" log -1 --format=%ct 2>/dev/null ||
  stat -c %Y "$here/../resources/version.h")}
touch -d "@$epoch" "$stage"/*
unfinished=$work/${setup##*/}
makensis -V2 -INPUTCHARSET UTF8 "${defines[@]}" -DOUTFILE="$unfinished" "$here/kestrum.nsi" >&2
mv "$unfinished" "$setup"
echo "$setup"
