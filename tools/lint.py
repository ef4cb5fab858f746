#!/usr/bin/env python3
"""The analysers, warnings as errors: clang-tidy and cppcheck over the portable sources (the
host build's compile commands) and the Windows sources (the win32 build's), and clang-format
over every source file.

    tools/lint.py [--host-build build/host ...] [--win32-build build/win32]

The builds must be configured (cmake --preset ...); nothing needs to be built. Several host
builds may be named: the unit tests', the fuzz targets', the benchmarks'.
"""

import argparse
import concurrent.futures
import json
import pathlib
import re
import shlex
import subprocess
import sys
import tempfile
import time

ROOT = pathlib.Path(__file__).resolve().parent.parent
SOURCE_SUFFIXES = (".c", ".cpp", ".h")
JOBS = 2


def own_entries(build):
    """The compile commands of the project's own sources (not GoogleTest's, not generated)."""
    database = build / "compile_commands.json"
    if not database.is_file():
        sys.exit(f"lint: {database} is missing; configure that build first")
    entries = []
    for entry in json.loads(database.read_text()):
        path = pathlib.Path(entry["file"]).resolve()
        # Resource scripts have compile commands too; they are not C or C++.
        if (path.is_relative_to(ROOT) and not path.is_relative_to(ROOT / "build")
                and path.suffix in (".c", ".cpp")):
            entries.append(entry)
    return entries


def project_header_filter():
    folders = sorted(p.name for p in ROOT.iterdir()
                     if p.is_dir() and p.name not in ("build", ".git"))
    return re.escape(str(ROOT)) + "/(" + "|".join(folders) + ")/"


def cross_compiler_arguments(entries):
    """clang-tidy parses the Windows sources as clang for the same MinGW target, with the
    cross compiler's own C++ headers: clang does not find GCC's "12-posix" header folders by
    itself."""
    first = entries[0]
    compiler = shlex.split(first["command"])[0] if "command" in first else first["arguments"][0]
    triple = re.sub(r"-g\+\+.*$", "", pathlib.Path(compiler).name)
    probe = subprocess.run([compiler, "-v", "-E", "-x", "c++", "/dev/null"], capture_output=True,
                           text=True, check=True)
    include_dirs = [line.strip() for line in probe.stderr.splitlines()
                    if line.startswith(" ") and "/include/c++" in line]
    arguments = [f"--extra-arg=--target={triple}", "--extra-arg=-nostdinc++"]
    arguments += [f"--extra-arg=-isystem{folder}" for folder in include_dirs]
    return arguments


NOISE = re.compile(r"^\d+ warnings?( and \d+ errors?)? generated\.$|^Suppressed |"
                   r"^Use -header-filter|^Error while processing |^Found compiler error")
DIAGNOSTIC = re.compile(r"^\S+:\d+:\d+: (warning|error): ")


def diagnostics(output):
    """Splits clang-tidy's output into one block per diagnostic, its notes included."""
    blocks = []
    for line in output.splitlines():
        if NOISE.match(line):
            continue
        if DIAGNOSTIC.match(line) or not blocks:
            blocks.append([line])
        else:
            blocks[-1].append(line)
    return ["\n".join(block) for block in blocks]


def run_clang_tidy(jobs, extra):
    """jobs: (build folder, source file) pairs, each file with the build that compiles it."""

    def one(job):
        build, file = job
        checks = []
        path = pathlib.Path(file).resolve()
        if path.is_relative_to(ROOT / "tests") or path.is_relative_to(ROOT / "bench"):
            # The path analyser spends five times the rest of the lint on GoogleTest's macros,
            # and reads Google Benchmark's loop as a dead store; tests and benchmarks get
            # every other check.
            checks = ["--checks=-clang-analyzer-*"]
        result = subprocess.run(["clang-tidy", "--quiet", "-p", str(build),
                                 f"--header-filter={project_header_filter()}", *checks, *extra,
                                 file], capture_output=True, text=True)
        return file, result.returncode, diagnostics(result.stdout + result.stderr)

    failed = False
    seen = set()
    with concurrent.futures.ThreadPoolExecutor(JOBS) as pool:
        for file, code, blocks in pool.map(one, jobs):
            failed |= code != 0
            if code != 0 and not blocks:
                print(f"{file}: clang-tidy ended with {code} and reported nothing")
            # A finding in a header shows up once for every file that includes it.
            for block in blocks:
                if block not in seen:
                    seen.add(block)
                    print(block)
    return not failed


def run_cppcheck(entries, platform, libraries):
    # Not the style class: here it gives opinions (use an algorithm, an initialisation list) and
    # "unused" members of records that keep the platform's layout.
    with tempfile.TemporaryDirectory() as folder:
        database = pathlib.Path(folder) / "compile_commands.json"
        database.write_text(json.dumps(entries))
        command = ["cppcheck", f"--project={database}", "--quiet", f"-j{JOBS}", "--std=c++20",
                   "--enable=warning,performance,portability", "--inline-suppr",
                   "--suppress=missingIncludeSystem", "--error-exitcode=1",
                   f"--platform={platform}",
                   "--template={file}:{line}:{column}: {severity}: {message} [{id}]",
                   *[f"--library={library}" for library in libraries]]
        result = subprocess.run(command, cwd=ROOT, capture_output=True, text=True)
    output = (result.stdout + result.stderr).strip()
    if output:
        print(output)
    return result.returncode == 0


def source_files():
    for path in sorted(ROOT.rglob("*")):
        relative = path.relative_to(ROOT)
        if relative.parts[0] in ("build", ".git") or path.suffix not in SOURCE_SUFFIXES:
            continue
        yield str(relative)


def run_clang_format():
    result = subprocess.run(["clang-format", "--dry-run", "--Werror", *source_files()], cwd=ROOT,
                            capture_output=True, text=True)
    output = (result.stdout + result.stderr).strip()
    if output:
        print(output)
    return result.returncode == 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--host-build", type=pathlib.Path, action="append",
                        help="a host build (repeatable: the unit tests', the fuzz targets', ...)")
    parser.add_argument("--win32-build", type=pathlib.Path, default=ROOT / "build" / "win32")
    args = parser.parse_args()

    # A file compiled by several host builds is analysed once, with the first build's flags.
    host, host_jobs = [], {}
    for build in args.host_build or [ROOT / "build" / "host"]:
        for entry in own_entries(build.resolve()):
            if entry["file"] not in host_jobs:
                host_jobs[entry["file"]] = build
                host.append(entry)
    windows = [entry for entry in own_entries(args.win32_build.resolve())
               if entry["file"] not in host_jobs]
    windows_jobs = sorted((args.win32_build, entry["file"]) for entry in windows)

    steps = [
        (f"clang-tidy, {len(host)} portable sources",
         lambda: run_clang_tidy(sorted((b, f) for f, b in host_jobs.items()), [])),
        (f"clang-tidy, {len(windows)} Windows sources",
         lambda: run_clang_tidy(windows_jobs, cross_compiler_arguments(windows))),
        ("cppcheck, portable sources", lambda: run_cppcheck(host, "unix64", ["googletest"])),
        ("cppcheck, Windows sources",
         lambda: run_cppcheck(windows, "win32W", ["windows", "googletest"])),
        ("clang-format, every source file", run_clang_format),
    ]
    results = []
    for name, step in steps:
        print(f"lint: {name} ...", flush=True)
        started = time.monotonic()
        passed = step()
        results.append((name, passed, time.monotonic() - started))
    for name, passed, seconds in results:
        print(f"lint: {name}: {'clean' if passed else 'FINDINGS'} ({seconds:.0f} s)")
    return 0 if all(passed for _, passed, _ in results) else 1


if __name__ == "__main__":
    sys.exit(main())
