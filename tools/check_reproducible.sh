#!/usr/bin/env bash
# Builds the win32 product twice from this tree, in two fresh folders of different names and
# lengths, and compares every executable and library byte for byte. The test programs (the
# GoogleTest and end-to-end executables) are left out to keep the run short; they share the
# product's compile and link settings.
set -euo pipefail
cd "$(dirname "$0")/.."

work=$(mktemp -d "${TMPDIR:-/tmp}/kestrum-reproducible.XXXXXX")
trap 'rm -rf "$work"' EXIT
first=$work/a
second=$work/second-build

build() {
  cmake --preset win32 -B "$1" >/dev/null
  local targets
  targets=$(ninja -C "$1" -t targets all | sed -n 's/^\(bin\/[^/ ]*\.\(exe\|dll\)\):.*/\1/p' |
            grep -v -e test -e e2e)
  # shellcheck disable=SC2086  # one word per target
  cmake --build "$1" -j2 --target $targets >"$1.log" 2>&1 || { cat "$1.log" >&2; exit 1; }
}
build "$first"
build "$second"

status=0 count=0
for image in "$first"/bin/*.exe "$first"/bin/*.dll; do
  name=${image#"$first"/}
  count=$((count + 1))
  if ! cmp -s "$image" "$second/$name"; then
    echo "differs between two builds: $name" >&2
    cmp -l "$image" "$second/$name" | head -n 5 >&2 || true
    status=1
  fi
done
[ "$count" -gt 0 ] || { echo "no executable or library was built" >&2; exit 1; }
[ "$status" -eq 0 ] && echo "reproducible: $count win32 images identical in two clean builds"
exit "$status"
