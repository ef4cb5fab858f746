#!/bin/sh
# Runs an end-to-end test program under Wine the way its tests need: on an X display of its
# own, inside with_fake_power_supply.sh, in the build folder's prefix; then turns the
# screenshots the tests saved (<build>/screenshots/*.bmp) into PNG files.
#   run_e2e.sh PREFIX LOADER PROGRAM [ARGS...]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
tools=$here/../../tools
prefix=$1 loader=$2 program=$3
shift 3
screenshots=$(dirname "$program")/../screenshots

status=0
"$tools/with_private_display.sh" "$here/../../simulated/power_supply/with_fake_power_supply.sh" \
  "$tools/wine_run.sh" "$prefix" "$loader" "$program" "$@" || status=$?

for bitmap in "$screenshots"/*.bmp; do
  [ -e "$bitmap" ] || continue
  convert "$bitmap" "${bitmap%.bmp}.png" && rm -f "$bitmap"
done
exit $status
