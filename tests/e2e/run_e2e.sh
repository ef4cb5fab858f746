#!/bin/sh
# Runs an end-to-end test program under Wine the way its tests need: on an X display of its
# own, inside with_fake_power_supply.sh, in the build folder's prefix; then turns the
# screenshots the tests saved (<build>/screenshots/*.bmp) into PNG files.
#   run_e2e.sh PREFIX LOADER PROGRAM [ARGS...]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
prefix=$1 loader=$2 program=$3
shift 3
screenshots=$(dirname "$program")/../screenshots

# Xvfb picks a free display itself and names it once it accepts connections.
display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -f "$display_file"' EXIT
for _ in $(seq 100); do
  [ -s "$display_file" ] && break
  kill -0 $xvfb 2>/dev/null || { echo "run_e2e.sh: Xvfb did not start" >&2; exit 1; }
  sleep 0.05
done
[ -s "$display_file" ] || { echo "run_e2e.sh: no display from Xvfb" >&2; exit 1; }
DISPLAY=:$(cat "$display_file")
export DISPLAY

status=0
"$here/with_fake_power_supply.sh" "$here/../../tools/wine_run.sh" "$prefix" "$loader" \
  "$program" "$@" || status=$?

for bitmap in "$screenshots"/*.bmp; do
  [ -e "$bitmap" ] || continue
  convert "$bitmap" "${bitmap%.bmp}.png" && rm -f "$bitmap"
done
exit $status
