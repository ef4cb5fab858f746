#!/usr/bin/env bash
# Source coverage of the portable core reached by each fuzz target's corpus: the committed
# seeds and what long runs kept in RUNS/<name>/corpus. libFuzzer's own count covers every
# instrumented edge of the binary, the harness and inlined library code included; this says
# which lines and branches of the code under test the inputs reach.
#   coverage_report.sh COVERAGE_BUILD RUNS
# COVERAGE_BUILD is a build of the fuzz preset with -fprofile-instr-generate -fcoverage-mapping.
set -euo pipefail
build=$1 runs=$2
seeds=$(cd "$(dirname "$0")" && pwd)/corpus

for fuzzer in "$build"/tests/fuzz/*_fuzzer; do
  name=$(basename "$fuzzer" _fuzzer)
  profile=$build/coverage/$name
  mkdir -p "$profile" "$runs/$name/corpus"
  LLVM_PROFILE_FILE=$profile/run.profraw "$fuzzer" -runs=0 "$runs/$name/corpus" "$seeds/$name" \
    >"$profile/log" 2>&1
  llvm-profdata merge -sparse "$profile/run.profraw" -o "$profile/run.profdata"
  echo "== $name: $(find "$runs/$name/corpus" "$seeds/$name" -type f | wc -l) inputs"
  # Only the core's own files: not the harness, not the standard library.
  llvm-cov report "$fuzzer" -instr-profile="$profile/run.profdata" \
    -ignore-filename-regex='(/tests/|^/usr/)' | cut -c1-200
done
