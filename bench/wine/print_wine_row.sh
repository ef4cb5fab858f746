#!/bin/sh
# The hook of one Wine row (bench/hooks/<hook> links here): prints the row that
# run_wine_bench.sh measured for the hook of this name, "VALUE<TAB>UNIT<TAB>HOW", and fails
# when that run measured none.
set -eu
hook=$(basename "$0")
rows=${KESTRUM_WINE_BUILD_DIR:?}/bench/wine_rows.tsv
[ -f "$rows" ] || { echo "no rows at $rows: run_wine_bench.sh has not run" >&2; exit 1; }
line=$(awk -F '\t' -v hook="$hook" '$1 == hook { sub(/^[^\t]*\t/, ""); print; exit }' "$rows")
[ -n "$line" ] || { echo "$rows has no row $hook" >&2; exit 1; }
printf '%s\n' "$line"
