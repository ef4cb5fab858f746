#!/usr/bin/env python3
"""Checks what the platform sees of the product's image before running any of it:

    product_image_check.py Kestrum.exe

It imports only system libraries and Qelt.dll (the compiler's runtime is linked in), and its
sections are page-aligned in the file, which Wine needs to map the image instead of copying
it into the process's private memory.
"""

import struct
import sys

SYSTEM_LIBRARIES = {"comctl32.dll", "gdi32.dll", "kernel32.dll", "msvcrt.dll", "ole32.dll",
                    "setupapi.dll", "user32.dll"}
ALLOWED = SYSTEM_LIBRARIES | {"qelt.dll"}
PAGE = 0x1000


def sections(image, header):
    count, optional_size = struct.unpack_from("<2xH12xH", image, header + 4)
    table = header + 24 + optional_size
    for n in range(count):
        name, virtual_size, address, raw_size, raw_offset = struct.unpack_from(
            "<8sIIII", image, table + 40 * n)
        yield name.rstrip(b"\0").decode(), address, virtual_size, raw_offset


def file_offset(rva, image_sections):
    for _, address, size, raw_offset in image_sections:
        if address <= rva < address + size:
            return rva - address + raw_offset
    raise ValueError(f"address {rva:#x} is in no section")


def imported_libraries(image, header, image_sections):
    optional = header + 24
    magic = struct.unpack_from("<H", image, optional)[0]
    directories = optional + (96 if magic == 0x10B else 112)
    import_rva = struct.unpack_from("<I", image, directories + 8)[0]
    entry = file_offset(import_rva, image_sections)
    while True:
        name_rva = struct.unpack_from("<I", image, entry + 12)[0]
        if name_rva == 0:
            return
        start = file_offset(name_rva, image_sections)
        yield image[start:image.index(b"\0", start)].decode().lower()
        entry += 20


def main(path):
    with open(path, "rb") as f:
        image = f.read()
    header = struct.unpack_from("<I", image, 0x3C)[0]
    if image[header:header + 4] != b"PE\0\0":
        return [f"{path}: not a PE image"]
    image_sections = list(sections(image, header))
    faults = []
    file_alignment = struct.unpack_from("<I", image, header + 24 + 36)[0]
    if file_alignment != PAGE:
        faults.append(f"file alignment {file_alignment:#x}, not one page")
    faults += [f"imports {library}, which is neither a system library nor Qelt.dll"
               for library in imported_libraries(image, header, image_sections)
               if library not in ALLOWED]
    return faults


if __name__ == "__main__":
    problems = main(sys.argv[1])
    for problem in problems:
        print(f"product_image_check: {problem}")
    sys.exit(1 if problems else 0)
