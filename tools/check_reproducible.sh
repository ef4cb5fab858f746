#!/usr/bin/env bash
# Builds the win32 product in a fresh folder and compares every executable and library byte for
# byte with those of BUILD, a built folder of this tree (build/win32); the two folders' names
# differ in length. The test programs (the GoogleTest and end-to-end executables) are left out
# to keep the run short; they share the product's compile and link settings. Then the unsigned
# setup programs made from the two builds are compared too.
#   tools/check_reproducible.sh BUILD
set -euo pipefail
cd "$(dirname "$0")/.."

work=$(mktemp -d "${TMPDIR:-/tmp}/kestrum-reproducible.XXXXXX")
trap 'rm -rf "$work"' EXIT
second=$work/second-build

product_targets() {
  ninja -C "$1" -t targets all | sed -n 's/^\(bin\/[^/ ]*\.\(exe\|dll\)\):.*/\1/p' |
    grep -v -e test -e e2e
}
build() {
  cmake --preset win32 -B "$1" >/dev/null
  # shellcheck disable=SC2046  # one word per target
  cmake --build "$1" -j2 --target $(product_targets "$1") >"$1.log" 2>&1 ||
    { cat "$1.log" >&2; exit 1; }
}
# BUILD_FOLDER OUTPUT_FOLDER: prints the setup's path.
unsigned_setup() {
  env -u KESTRUM_SIGN_PKCS12 -u QELT_DLL installer/build_setup.sh "$1" "$2" 2>"$2.log" ||
    { cat "$2.log" >&2; exit 1; }
}
# FILE_A FILE_B NAME: fails, showing where, when the two differ.
same_bytes() {
  cmp -s "$1" "$2" && return 0
  echo "differs between two builds: $3" >&2
  cmp -l "$1" "$2" | head -n 5 >&2 || true
  return 1
}

first=$(cd "$1" && pwd)
for target in $(product_targets "$first"); do
  [ -f "$first/$target" ] || { echo "$first/$target is not built" >&2; exit 1; }
done
build "$second"

status=0 count=0
for target in $(product_targets "$second"); do
  count=$((count + 1))
  same_bytes "$first/$target" "$second/$target" "$target" || status=1
done
[ "$count" -gt 0 ] || { echo "no executable or library was built" >&2; exit 1; }
[ "$status" -eq 0 ] && echo "reproducible: $count win32 images identical in two builds"

first_setup=$(unsigned_setup "$first" "$work/first-setup")
# The second a second later: a time of the run that reaches the setup shows as a difference.
sleep 1
second_setup=$(unsigned_setup "$second" "$work/second-setup")
name=${first_setup##*/}
if same_bytes "$first_setup" "$second_setup" "$name"; then
  echo "reproducible: $name identical from both builds"
else
  status=1
fi
exit "$status"
