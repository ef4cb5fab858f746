#!/usr/bin/env bash
# Builds the win32 product in a fresh folder and compares every executable and library byte for
# byte with those of BUILD, a built folder of this tree (build/win32); the two folders' names
# differ in length. The test programs (the GoogleTest and end-to-end executables) are left out
# to keep the run short; they share the product's compile and link settings. Then the setup
# programs made from the two builds are compared too.
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
first=$(cd "$1" && pwd)
for target in $(product_targets "$first"); do
  [ -f "$first/$target" ] || { echo "$first/$target is not built" >&2; exit 1; }
done
build "$second"

status=0 count=0
for target in $(product_targets "$second"); do
  count=$((count + 1))
  if ! cmp -s "$first/$target" "$second/$target"; then
    echo "differs between two builds: $target" >&2
    cmp -l "$first/$target" "$second/$target" | head -n 5 >&2 || true
    status=1
  fi
done
[ "$count" -gt 0 ] || { echo "no executable or library was built" >&2; exit 1; }
[ "$status" -eq 0 ] && echo "reproducible: $count win32 images identical in two builds"
tools/check_reproducible_setup.sh "$first" "$second" || status=1
exit "$status"
