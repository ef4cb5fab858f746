#!/usr/bin/env bash
# Installs the Debian packages both builds and the Wine test runs need.
# Idempotent: does nothing when every package is already there.
set -euo pipefail

packages=(
  cmake ninja-build make g++ python3
  googletest
  g++-mingw-w64-i686-posix binutils-mingw-w64-i686 mingw-w64-i686-dev
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
  wine wine32:i386 wine64
  xvfb xauth x11-utils imagemagick
  clang libclang-rt-dev clang-tidy clang-format cppcheck libbenchmark-dev
  fonts-wine fonts-noto-core fonts-wqy-microhei fonts-dejavu-core
  nsis osslsigncode openssl
)

# wine32 is an i386 package: the i386 architecture must be known before it can be looked up.
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
fi
echo "Installing: ${missing[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
