#!/usr/bin/env python3
"""Checks what the platform sees of the product's image before running any of it:

    product_image_check.py Kestrum.exe VERDICT_OBJECT

It imports only system libraries and Qelt.dll (the compiler's runtime is linked in), and its
sections are page-aligned in the file, which Wine needs to map the image instead of copying
it into the process's private memory, and its load configuration lets the loader look for its
start-up imports (Qelt.dll) only in the program's folder and the system folder. The headers
are read as the release script reads them, through objdump. The object the capacity verdict is
compiled into (battery/refresh_battery.cpp) divides and compares without the x87 unit: i686
code uses it unless built for SSE2, and in its extended precision 65/100 falls below the
double 0.65, a wrong verdict at that boundary.
"""

import re
import subprocess
import sys

ALLOWED = {"comctl32.dll", "gdi32.dll", "kernel32.dll", "msvcrt.dll", "ole32.dll",
           "setupapi.dll", "user32.dll", "qelt.dll"}
PAGE = 0x1000
X87_DIVISION_OR_COMPARISON = re.compile(r"^f(i?div|i?com|ucom)")
PROGRAM_AND_SYSTEM_FOLDERS = 0x0A00
# Where DependentLoadFlags lies in the load configuration record of a PE32 and a PE32+ image.
DEPENDENT_LOAD_FLAGS_AT = {"010b": 0x36, "020b": 0x4E}


def header(headers, pattern):
    return re.search(pattern, headers, re.MULTILINE).group(1)


def image_bytes(path, address, size):
    dump = subprocess.run(["objdump", "-s", f"--start-address={address:#x}",
                           f"--stop-address={address + size:#x}", path],
                          capture_output=True, text=True, check=True).stdout
    rows = re.findall(r"^ [0-9a-f]+ ((?:[0-9a-f]+ ?)+)", dump, re.MULTILINE)
    return bytes.fromhex("".join(rows).replace(" ", ""))


def load_config_faults(path, headers):
    rva, size = (int(value, 16) for value in re.search(
        r"^Entry a ([0-9a-fA-F]+) ([0-9a-fA-F]+) Load Configuration", headers,
        re.MULTILINE).groups())
    if rva == 0:
        return ["no load configuration: Qelt.dll is looked for in every folder of PATH"]
    record = image_bytes(path, int(header(headers, r"^ImageBase\s+(\S+)$"), 16) + rva, size)
    if len(record) != size or int.from_bytes(record[:4], "little") != size:
        return [f"the load configuration entry's size {size:#x} is not its record's"]
    at = DEPENDENT_LOAD_FLAGS_AT[header(headers, r"^Magic\s+(\S+)")]
    flags = int.from_bytes(record[at:at + 2], "little")
    if flags != PROGRAM_AND_SYSTEM_FOLDERS:
        return [f"dependent-load flags {flags:#06x}: Qelt.dll is looked for beyond the "
                "program's folder and the system folder"]
    return []


def faults(path):
    headers = subprocess.run(["objdump", "-p", path], capture_output=True, text=True,
                             check=True).stdout
    found = []
    alignment = re.search(r"^FileAlignment\s+([0-9a-fA-F]+)$", headers, re.MULTILINE)
    if alignment is None or int(alignment.group(1), 16) != PAGE:
        found.append(f"file alignment {alignment.group(1) if alignment else 'unknown'}, "
                     "not one page")
    found += [f"imports {library}, which is neither a system library nor Qelt.dll"
              for library in re.findall(r"DLL Name: (\S+)", headers)
              if library.lower() not in ALLOWED]
    return found + load_config_faults(path, headers)


def x87_faults(path):
    listing = subprocess.run(["objdump", "-d", "--no-show-raw-insn", path], capture_output=True,
                             text=True, check=True).stdout
    mnemonics = sorted({mnemonic for mnemonic in re.findall(r"^\s*[0-9a-f]+:\t(\S+)", listing,
                                                             re.MULTILINE)
                        if X87_DIVISION_OR_COMPARISON.match(mnemonic)})
    return [f"the capacity verdict divides or compares on the x87 unit ({', '.join(mnemonics)}), "
            "not in double precision"] if mnemonics else []


if __name__ == "__main__":
    problems = faults(sys.argv[1]) + x87_faults(sys.argv[2])
    for problem in problems:
        print(f"product_image_check: {problem}")
    sys.exit(1 if problems else 0)
