#!/usr/bin/env bash
# Runs one fuzz target from its committed seeds and reports executions and coverage.
#   run_fuzzer.sh FUZZER SEEDS WORKDIR smoke|long
# smoke: a fixed number of runs (FUZZ_RUNS, default 20000) with a fixed seed, from nothing but
#        the committed seeds, so that a test run is the same every time.
# long:  FUZZ_SECONDS (default 600) of fuzzing; what it finds stays in WORKDIR/corpus and the
#        next long run starts from there too.
# New inputs and crash artifacts go to WORKDIR only: the committed seeds are never written.
set -euo pipefail
fuzzer=$1 seeds=$2 work=$3 mode=$4
name=$(basename "$fuzzer")

case $mode in
  smoke) rm -rf "$work"; options=(-runs="${FUZZ_RUNS:-20000}" -seed=1) ;;
  long) options=(-max_total_time="${FUZZ_SECONDS:-600}") ;;
  *) echo "run_fuzzer.sh: mode is smoke or long, not '$mode'" >&2; exit 2 ;;
esac
mkdir -p "$work/corpus"
log=$work/$name.log

# Driver texts of 510 bytes and strings longer than every field need room beyond
# libFuzzer's default of 4096 bytes.
status=0
"$fuzzer" -max_len=16384 -print_final_stats=1 -artifact_prefix="$work/" "${options[@]}" \
  "$work/corpus" "$seeds" >"$log" 2>&1 || status=$?

runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
edges=$(grep -o 'cov: [0-9]*' "$log" | tail -n 1 | cut -d' ' -f2)
features=$(grep -o 'ft: [0-9]*' "$log" | tail -n 1 | cut -d' ' -f2)
counters=$(sed -n 's/.*Loaded 1 modules *(\([0-9]*\) inline 8-bit counters).*/\1/p' "$log" |
           head -n 1)
inputs=$(find "$work/corpus" -type f | wc -l)
percent=$(awk -v e="${edges:-0}" -v c="${counters:-0}" \
          'BEGIN { if (c > 0) printf "%.1f", 100 * e / c; else print "?" }')
printf '%s: %s executions, %s of %s instrumented edges covered (%s%%), %s features, %s %s\n' \
  "$name" "${runs:-?}" "${edges:-?}" "${counters:-?}" "$percent" "${features:-?}" "$inputs" \
  "inputs found"

if [ "$status" -ne 0 ]; then
  tail -n 40 "$log" >&2
  echo "$name: finding; the input is in $work/ (crash-*, leak-*, timeout-*), the log in $log" >&2
  exit "$status"
fi
