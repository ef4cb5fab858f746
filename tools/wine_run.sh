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
if [ ! -f "$prefix/system.reg" ]; then
  mkdir -p "$(dirname "$prefix")"
  (
    flock 9
    [ -f "$prefix/system.reg" ] || "$loader" wineboot -i >/dev/null 2>&1
  ) 9>"$prefix.lock"
fi
exec "$loader" "$@"
