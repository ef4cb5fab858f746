#!/usr/bin/env bash
# The setup program is reproducible too: built unsigned from each of two build folders of one
# commit (check_reproducible.sh's two builds), it is the same bytes.
#   tools/check_reproducible_setup.sh BUILD_A BUILD_B
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/kestrum-reproducible-setup.XXXXXX")
trap 'rm -rf "$work"' EXIT

# BUILD_FOLDER OUTPUT_FOLDER: prints the setup's path.
unsigned_setup() {
  env -u KESTRUM_SIGN_PKCS12 -u QELT_DLL "$here/../installer/build_setup.sh" "$1" "$2" \
    2>"$2.log" || { cat "$2.log" >&2; return 1; }
}
first=$(unsigned_setup "$1" "$work/a")
# The second a second later: a time of the run that reaches the setup shows as a difference.
sleep 1
second=$(unsigned_setup "$2" "$work/b")
if ! cmp -s "$first" "$second"; then
  echo "differs between two builds: ${first##*/}" >&2
  cmp -l "$first" "$second" | head -n 5 >&2 || true
  exit 1
fi
echo "reproducible: ${first##*/} identical from both builds"
