#!/usr/bin/env python3
"""Points a linked image's load configuration entry at its `_load_config_used` record:

    fill_load_config_directory.py IMAGE LINKER_MAP

The GNU linker places the record but leaves the entry empty, and the stripped image no longer
names its symbols, so the record's address comes from the link's map. The entry's size is the
record's own Size field, as the platform's linkers write it; the image's checksum is computed
afresh over the changed header.
"""

import re
import struct
import sys

LOAD_CONFIG_ENTRY = 10
# The symbol of the record: i686 prefixes C names with an underscore, x86_64 does not.
MAP_SYMBOL = re.compile(r"^\s+0x([0-9a-fA-F]+)\s+_?_load_config_used$", re.MULTILINE)


def fail(message):
    sys.exit(f"fill_load_config_directory.py: {message}")


def record_address(map_path):
    with open(map_path, encoding="utf-8", errors="replace") as linker_map:
        found = MAP_SYMBOL.findall(linker_map.read())
    if len(found) != 1:
        fail(f"{map_path} names the load configuration record {len(found)} times, not once")
    return int(found[0], 16)


def pe_checksum(image, checksum_offset):
    """The sum of the image's 16-bit words with carries folded in, plus its length, the
    checksum field itself counting as zero."""
    padded = image + b"\0" * (len(image) % 2)
    words = struct.unpack(f"<{len(padded) // 2}H", padded)
    total = sum(words) - sum(struct.unpack_from("<2H", image, checksum_offset))
    while total > 0xFFFF:
        total = (total & 0xFFFF) + (total >> 16)
    return total + len(image)


def fill(image_path, map_path):
    with open(image_path, "rb") as file:
        image = bytearray(file.read())
    header = struct.unpack_from("<I", image, 0x3C)[0]
    sections, optional_size = struct.unpack_from("<2xH12xH", image, header + 4)
    optional = header + 24
    magic = struct.unpack_from("<H", image, optional)[0]
    if magic == 0x10B:
        image_base = struct.unpack_from("<I", image, optional + 28)[0]
        directories = optional + 96
    elif magic == 0x20B:
        image_base = struct.unpack_from("<Q", image, optional + 24)[0]
        directories = optional + 112
    else:
        fail(f"{image_path} is not a PE32 or PE32+ image")
    rva = record_address(map_path) - image_base

    table = optional + optional_size
    for index in range(sections):
        virtual_size, virtual_address, raw_size, raw_offset = struct.unpack_from(
            "<4I", image, table + 40 * index + 8)
        if virtual_address <= rva < virtual_address + min(virtual_size, raw_size):
            record = raw_offset + rva - virtual_address
            size = struct.unpack_from("<I", image, record)[0]
            if rva + size > virtual_address + min(virtual_size, raw_size):
                fail(f"the record's size {size:#x} runs past its section")
            break
    else:
        fail(f"no section of {image_path} holds the record's address {rva:#x}")

    entry = directories + 8 * LOAD_CONFIG_ENTRY
    if struct.unpack_from("<2I", image, entry) not in ((0, 0), (rva, size)):
        fail(f"{image_path}'s load configuration entry already points elsewhere")
    struct.pack_into("<2I", image, entry, rva, size)
    checksum = optional + 64
    struct.pack_into("<I", image, checksum, pe_checksum(bytes(image), checksum))
    with open(image_path, "wb") as file:
        file.write(image)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    fill(sys.argv[1], sys.argv[2])
