#!/bin/sh
# Runs a command on an X display of its own (Xvfb), so that Windows programs under Wine can
# open windows on a machine without one, and nothing on a developer's screen takes part.
#   with_private_display.sh COMMAND [ARGS...]
set -eu

# Xvfb picks a free display itself and names it once it accepts connections.
display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -f "$display_file"' EXIT
for _ in $(seq 100); do
  [ -s "$display_file" ] && break
  kill -0 $xvfb 2>/dev/null || { echo "with_private_display.sh: Xvfb did not start" >&2; exit 1; }
  sleep 0.05
done
[ -s "$display_file" ] || { echo "with_private_display.sh: no display from Xvfb" >&2; exit 1; }
DISPLAY=:$(cat "$display_file")
export DISPLAY

status=0
"$@" || status=$?
exit $status
