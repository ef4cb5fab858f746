#!/bin/sh
# Sets status bytes through the tool, lets one refresh read them, and checks the verdict and
# the journal of what was asked.
#   kestrumctl_controller.sh WINE_RUN PREFIX LOADER KESTRUMCTL
set -eu
wine_run=$1 prefix=$2 loader=$3 ctl=$4
ctl() { "$wine_run" "$prefix" "$loader" "$ctl" "$@" | tr -d '\r'; }
fail() { echo "FAIL: $*" >&2; exit 1; }

ctl ec set 0xF3 0 && ctl ec set 0xF2 0 && ctl ec set 0xEF 0x29 && ctl ec clear
[ "$(ctl ec get 0xEF)" = "0x29" ] || fail "status byte not kept between processes"

snapshot=$(ctl snapshot 2>/dev/null)
echo "$snapshot"
echo "$snapshot" | grep -q "^healthText *Your battery can no longer provide sufficient power" ||
  fail "replacement verdict missing"

journal=$(ctl ec journal)
echo "$journal"
reads=$(echo "$journal" | grep -c "command 0xb0")
[ "$reads" -ge 3 ] && [ "$reads" -le 4 ] || fail "expected 3 or 4 reads, got $reads"
echo "$journal" | tail -n 3 | grep -q "input 0xf3 output 0x0" || fail "0xF3 not read first"
echo "$journal" | tail -n 1 | grep -q "input 0xef output 0x29" || fail "0xEF not read last"

ctl ec set 0xEF 0
echo "controller round trip: ok"
