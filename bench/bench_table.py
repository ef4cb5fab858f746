#!/usr/bin/env python3
"""Prints the one benchmark table: every row measured in this run, side by side.

    bench/bench_table.py BENCH_EXECUTABLE PRODUCT_EXE

Rows come from three places. The host rows are Google Benchmark runs of the portable logic
(BENCH_EXECUTABLE, built by the bench preset). The size row is PRODUCT_EXE's, the win32
build's Kestrum.exe. The Wine rows are measured by hook programs, one per row,
bench/hooks/<hook> (the names are in WINE_ROWS below). A hook runs from the repository's root
with KESTRUM_WINE_BUILD_DIR (the Windows build that Wine runs here), KESTRUM_WINE_PREFIX and
KESTRUM_WINE_LOADER set, prints one line "VALUE<TAB>UNIT<TAB>HOW MEASURED" and exits 0. A
row whose hook does not exist yet, or fails, reads "not measured yet": no value is ever made
up.
"""

import json
import os
import pathlib
import subprocess
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
HOOKS = ROOT / "bench" / "hooks"
NOT_MEASURED = ("not measured yet", "", "")

# Host rows: (row name, benchmark name). CPU time is reported: on a shared machine the wall
# time of a microbenchmark mostly measures the other processes.
HOST_ROWS = [
    ("refresh, scripted readings, battery present", "BM_RefreshBattery_BatteryPresent"),
    ("refresh, scripted readings, no battery device", "BM_RefreshBattery_NoDevice"),
    ("string lookup, id 101 (position 5 in its block)", "BM_StringLookup/id:101"),
    ("string lookup, id 158 (position 14 in its block)", "BM_StringLookup/id:158"),
    ("string lookup, id 148 (not found)", "BM_StringLookup/id:148"),
]
REPETITIONS = 5

# Wine rows: (row name, hook file in bench/hooks/).
WINE_ROWS = [
    ("refresh, real readings under Wine", "refresh_real_readings"),
    ("key event, without Kestrum's hook", "key_event_without_hook"),
    ("key event, with Kestrum's hook", "key_event_with_hook"),
    ("key event, with the bare chaining hook of (a)", "key_event_with_bare_hook"),
    ("key event cost, Kestrum's hook / bare hook (a)", "key_event_hook_ratio"),
    ("hot-key release to visible sheet", "hotkey_to_visible_sheet"),
    ("the same, bare sheet of the page templates (a)", "bare_sheet_to_visible_sheet"),
    ("open latency, Kestrum / bare sheet (a)", "open_latency_ratio"),
    ("opening breakdown, traced twin", "opening_breakdown"),
    ("idle CPU ticks over 30 s", "idle_cpu_ticks_30s"),
    ("private memory at start", "private_memory_at_start"),
    ("private memory at start, bare start-up (b)", "bare_startup_private_memory"),
    ("private memory at start, Kestrum - bare start-up (b)", "private_memory_over_floor"),
    ("private memory after 50 open/close cycles", "private_memory_after_50_cycles"),
]


def host_rows(executable):
    result = subprocess.run(
        [executable, "--benchmark_format=json", f"--benchmark_repetitions={REPETITIONS}",
         "--benchmark_report_aggregates_only=true"],
        capture_output=True, text=True, check=True)
    medians = {b["run_name"]: b for b in json.loads(result.stdout)["benchmarks"]
               if b.get("aggregate_name") == "median"}
    how = (f"Google Benchmark, host Release build, CPU time, median of {REPETITIONS} "
           "repetitions")
    for name, benchmark in HOST_ROWS:
        measured = medians.get(benchmark)
        if measured is None:
            yield name, *NOT_MEASURED
        else:
            yield name, f"{measured['cpu_time']:.0f}", measured["time_unit"], how


def hook_row(name, hook):
    path = HOOKS / hook
    if not os.access(path, os.X_OK):
        return name, *NOT_MEASURED
    result = subprocess.run([str(path)], capture_output=True, text=True, cwd=ROOT)
    fields = result.stdout.strip().split("\t")
    if result.returncode != 0 or len(fields) != 3:
        sys.stderr.write(f"bench: hook {hook} failed:\n{result.stderr}")
        return name, *NOT_MEASURED
    return name, *fields


def exe_size_row(exe):
    if not exe.is_file():
        return "Kestrum.exe size", *NOT_MEASURED
    how = "file size, win32 Release build, stripped"
    return "Kestrum.exe size", str(exe.stat().st_size), "bytes", how


def print_table(rows):
    header = ("row", "value", "unit", "how measured")
    widths = [max(len(str(row[i])) for row in [header, *rows]) for i in range(4)]
    line = "| " + " | ".join("{:<%d}" % w for w in widths) + " |"
    print(line.format(*header))
    print("|" + "|".join("-" * (w + 2) for w in widths) + "|")
    for row in rows:
        print(line.format(*row))


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    rows = list(host_rows(sys.argv[1]))
    rows += [hook_row(name, hook) for name, hook in WINE_ROWS]
    rows.append(exe_size_row(pathlib.Path(sys.argv[2])))
    print_table(rows)


if __name__ == "__main__":
    main()
