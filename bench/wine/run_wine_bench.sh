#!/bin/sh
# Measures the Wine rows of the benchmark table in one run and keeps them for the table's
# hooks: BUILD/bench/wine_rows.tsv, one line "hook<TAB>VALUE<TAB>UNIT<TAB>HOW" a row.
#   run_wine_bench.sh BUILD PREFIX LOADER
# The run gets the end-to-end tests' surroundings (tests/e2e/run_e2e.sh): a display, a fake
# power supply and a Wine server of its own, all pinned to one core so that the programs compared
# share the same one. Rows of an earlier run never survive a new one.
set -u
here=$(cd "$(dirname "$0")" && pwd)
build=$1 prefix=$2 loader=$3
mkdir -p "$build/bench" "$prefix"
# Wine takes only an absolute prefix.
build=$(cd "$build" && pwd) prefix=$(cd "$prefix" && pwd)
rows=$build/bench/wine_rows.tsv
rm -f "$rows"

echo "Measuring the Wine rows (about a minute)" >&2
status=0
taskset -c 1 "$here/../../tests/e2e/run_e2e.sh" "$prefix" "$loader" "$build/bin/kestrum_wine_bench.exe" \
  >"$rows.partial" || status=$?
tr -d '\r' <"$rows.partial" >"$rows"
rm -f "$rows.partial"
[ $status -eq 0 ] || echo "run_wine_bench.sh: some rows were not measured (status $status)" >&2
exit 0
