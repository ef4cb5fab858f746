#!/usr/bin/env bash
# Builds the setup program from a Windows build folder's Kestrum.exe.
#   build_setup.sh BUILD_FOLDER OUTPUT_FOLDER
# writes OUTPUT_FOLDER/Kestrum-<version>-setup.exe and prints its path. From the environment:
#   QELT_DLL                   the maker's Qelt.dll to bundle (never the simulator)
#   KESTRUM_SIGN_PKCS12        a code-signing certificate with its key; with it, Kestrum.exe,
#   KESTRUM_SIGN_PASSWORD      the uninstaller and the setup program are signed
#   KESTRUM_SIGN_TIMESTAMP_URL a timestamp server for the signatures (optional)
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

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
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
  # The password goes to the signing tool in a file, never on a command line.
  export KESTRUM_SIGN_PASSWORD_FILE=$stage/password
  (umask 077 && printf '%s' "${KESTRUM_SIGN_PASSWORD:-}" >"$KESTRUM_SIGN_PASSWORD_FILE")
  "$here/sign_file.sh" "$stage/Kestrum.exe"
  defines+=(-DSIGN="$here/sign_file.sh")
else
  echo "build_setup.sh: no KESTRUM_SIGN_PKCS12, so nothing is signed: Windows refuses to" \
    "start an unsigned Kestrum.exe that asks for uiAccess (see README)" >&2
fi

mkdir -p "$output"
setup=$(cd "$output" && pwd)/Kestrum-$version-setup.exe
makensis -V2 -INPUTCHARSET UTF8 "${defines[@]}" -DOUTFILE="$setup" "$here/kestrum.nsi" >&2
echo "$setup"
