#!/bin/sh
# Runs a Windows program under Wine in the build folder's own prefix.
#   wine_run.sh PREFIX LOADER PROGRAM [ARGS...]
# The first run in a prefix creates it; a lock keeps parallel first runs from racing.
set -eu
prefix=$1 loader=$2
shift 2
export WINEPREFIX="$prefix"
export WINEDEBUG="${WINEDEBUG:--all}"
# No downloads of Wine's optional runtimes: there is no network, and nothing here needs them.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
server=/usr/lib/wine/wineserver64
[ -x "$server" ] || server=/usr/lib/wine/wineserver32
if [ ! -f "$prefix/system.reg" ]; then
  mkdir -p "$(dirname "$prefix")"
  (
    flock 9
    if [ ! -f "$prefix/system.reg" ]; then
      "$loader" wineboot -i >/dev/null 2>&1
      # A new prefix is complete only once its first session has ended.
      "$server" -w
    fi
  ) 9>"$prefix.lock"
fi
# The simulated battery is part of every build folder's prefix.
(
  flock 9
  "$(dirname "$0")/../simulated/battery_driver/install_in_prefix.sh" "$prefix" "$loader"
) 9>"$prefix.lock"
# Keep one server warm for the prefix. Its system processes start with the first program
# and inherit that program's output; start them from a program of our own with no output, or
# they would hold a test runner's pipes open until the server ends.
if "$server" -p60 </dev/null >/dev/null 2>&1; then
  "$loader" cmd /c exit </dev/null >/dev/null 2>&1 || true
fi
exec "$loader" "$@"
