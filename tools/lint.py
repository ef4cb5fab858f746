#!/usr/bin/env python3
"""The analysers, warnings as errors: clang-tidy and cppcheck over the portable sources (the
host build's compile commands) and the Windows sources (the win32 build's), and clang-format
over every source file.

    tools/lint.py [--host-build build/host] [--win32-build build/win32]

Both builds must be configured (cmake --preset host / win32); nothing needs to be built.
"""

import argparse
import concurrent.futures
import json
import os
import pathlib
import re
import shlex
import subprocess
import sys
import tempfile

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
        if path.is_relative_to(ROOT) and not path.is_relative_to(ROOT / "build"):
            entries.append(entry)
    return entries


def project_header_filter():
    folders = sorted(p.name for p in ROOT.iterdir() if p.is_dir() and p.name not in ("build", ".git"))
    return re.escape(str(ROOT)) + "/(" + "|".join(folders) + ")/"


def cross_compiler_arguments(entries):
    """clang-tidy parses the Windows sources as clang for the same MinGW target, with the
    cross compiler's own C++ headers: clang does not find GCC's "12-posix" header folders by
    itself."""
    compiler = shlex.split(entries[0]["command"])[0] if "command" in entries[0] else entries[0]["arguments"][0]
    triple = re.sub(r"-g\+\+.*$", "", pathlib.Path(compiler).name)
    probe = subprocess.run([compiler, "-v", "-E", "-x", "c++", "/dev/null"], capture_output=True,
                           text=True, check=True)
    include_dirs = [line.strip() for line in probe.stderr.splitlines()
                    if line.startswith(" ") and "/include/c++" in line]
    arguments = [f"--extra-arg=--target={triple}", "--extra-arg=-nostdinc++"]
    arguments += [f"--extra-arg=-isystem{folder}" for folder in include_dirs]
    return arguments


def run_clang_tidy(build, files, extra):
    def one(file):
        result = subprocess.run(["clang-tidy", "--quiet", "-p", str(build),
                                 f"--header-filter={project_header_filter()}", *extra, file],
                                capture_output=True, text=True)
        noise = re.compile(r"^\d+ warnings? (and \d+ errors? )?generated\.$|^Suppressed |^Use -header-filter")
        lines = [line for line in (result.stdout + result.stderr).splitlines() if not noise.match(line)]
        return result.returncode, lines

    failed = False
    seen = set()
    with concurrent.futures.ThreadPoolExecutor(JOBS) as pool:
        for code, lines in pool.map(one, files):
            failed |= code != 0
            # A finding in a header shows up once for every file that includes it.
            text = "\n".join(lines)
            if text and text not in seen:
                seen.add(text)
                print(text)
    return not failed


def run_cppcheck(entries, platform, libraries):
    with tempfile.TemporaryDirectory() as folder:
        database = pathlib.Path(folder) / "compile_commands.json"
        database.write_text(json.dumps(entries))
        command = ["cppcheck", f"--project={database}", "--quiet", f"-j{JOBS}", "--std=c++20",
                   "--enable=warning,performance,portability", "--inline-suppr",
                   "--suppress=missingIncludeSystem", "--error-exitcode=1", f"--platform={platform}",
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
    parser.add_argument("--host-build", type=pathlib.Path, default=ROOT / "build" / "host")
    parser.add_argument("--win32-build", type=pathlib.Path, default=ROOT / "build" / "win32")
    args = parser.parse_args()

    host = own_entries(args.host_build.resolve())
    portable_files = {entry["file"] for entry in host}
    windows = [entry for entry in own_entries(args.win32_build.resolve())
               if entry["file"] not in portable_files]

    results = {}
    print(f"clang-tidy: {len(host)} portable sources", flush=True)
    results["clang-tidy, portable"] = run_clang_tidy(args.host_build, sorted(portable_files), [])
    print(f"clang-tidy: {len(windows)} Windows sources", flush=True)
    results["clang-tidy, Windows"] = run_clang_tidy(
        args.win32_build, sorted(e["file"] for e in windows), cross_compiler_arguments(windows))
    print("cppcheck: portable and Windows sources", flush=True)
    results["cppcheck, portable"] = run_cppcheck(host, "unix64", [])
    results["cppcheck, Windows"] = run_cppcheck(windows, "win32W", ["windows"])
    print("clang-format: every source file", flush=True)
    results["clang-format"] = run_clang_format()

    for name, passed in results.items():
        print(f"lint: {name}: {'clean' if passed else 'FINDINGS'}")
    return 0 if all(results.values()) else 1


if __name__ == "__main__":
    sys.exit(main())
