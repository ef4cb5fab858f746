#!/usr/bin/env python3
"""Writes the fuzz targets' seed corpus, tests/fuzz/corpus/<target>/.

    python3 tools/make_fuzz_corpus.py build/host/kestrum.res

String blocks and dialog templates come from the compiled resources as they ship; the
refresh scenarios are encoded here in the refresh target's input layout (its header comment).
The folders are replaced whole, so a rerun gives the same files.
"""

import pathlib
import shutil
import struct
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
CORPUS = ROOT / "tests" / "fuzz" / "corpus"

RT_DIALOG = 5
RT_STRING = 6
ENGLISH = 0x0409
# Blocks of the program's own texts, which every language carries.
OWN_BLOCKS = range(7, 11)
# Languages whose blocks seed the string walk beside English: right-to-left, double-byte,
# and the ones whose composite state texts are long.
MORE_LANGUAGES = (0x0001, 0x0411, 0x0804, 0x0010, 0x0016)


def res_entries(data):
    """Yields (type, name, language, bytes) for every ordinal-typed entry of a .res file."""

    def read_id(offset):
        (first,) = struct.unpack_from("<H", data, offset)
        if first == 0xFFFF:
            return struct.unpack_from("<H", data, offset + 2)[0], offset + 4
        end = offset
        while struct.unpack_from("<H", data, end)[0] != 0:
            end += 2
        return data[offset:end].decode("utf-16-le"), end + 2

    offset = 0
    while offset + 8 <= len(data):
        data_size, header_size = struct.unpack_from("<II", data, offset)
        kind, at = read_id(offset + 8)
        name, at = read_id(at)
        at = offset + ((at - offset + 3) & ~3)
        (language,) = struct.unpack_from("<H", data, at + 6)
        body = data[offset + header_size : offset + header_size + data_size]
        if isinstance(kind, int):
            yield kind, name, language, body
        offset += (header_size + data_size + 3) & ~3


def write_folder(target, files):
    folder = CORPUS / target
    shutil.rmtree(folder, ignore_errors=True)
    folder.mkdir(parents=True)
    for name, content in files:
        (folder / name).write_bytes(content)


def string_block_seeds(entries):
    for kind, name, language, body in entries:
        if kind != RT_STRING or not isinstance(name, int):
            continue
        if language == ENGLISH or (language in MORE_LANGUAGES and name in OWN_BLOCKS):
            first_id = (name - 1) * 16
            yield f"block{name}_{language:04x}", struct.pack("<H", first_id) + body


def old_form_template():
    """A small template in the old form with a font, as system libraries still carry."""
    caption = "Sheet".encode("utf-16-le") + b"\0\0"
    face = "MS Shell Dlg".encode("utf-16-le") + b"\0\0"
    head = struct.pack("<IIHhhhh", 0x94C800C4, 0, 1, 0, 0, 212, 188)
    head += b"\0\0" + b"\0\0" + caption + struct.pack("<H", 8) + face
    head += b"\0" * (-len(head) % 4)
    tab = struct.pack("<IIhhhhH", 0x54000000, 0, 4, 4, 204, 160, 0x3020)
    tab += "SysTabControl32".encode("utf-16-le") + b"\0\0" + b"\0\0" + struct.pack("<H", 0)
    return head + tab


def dialog_template_seeds(entries):
    # The first byte picks the replacement font; vary it across the seeds.
    for index, (kind, name, language, body) in enumerate(entries):
        if kind == RT_DIALOG:
            yield f"dialog{name}_{language:04x}", bytes([(index * 37) & 0xFF]) + body
    yield "old_form", bytes([8]) + old_form_template()


def u8(value):
    return struct.pack("<B", value)


def u16(value):
    return struct.pack("<H", value)


def u32(value):
    return struct.pack("<I", value)


def power(mains, flag, percent, seconds):
    return u8(0) + u8(mains) + u8(flag) + u8(percent) + u32(seconds)


def ok_record(raw):
    return u8(1) + raw


def text_answer(text):
    units = text.encode("utf-16-le")
    return u8(2) + u8(len(units) // 2) + units


def string(text):
    units = text.encode("utf-16-le")
    return u8(0) + u16(len(units) // 2) + units


def ec_byte(value):
    return u8(0) + u8(value)


def information(chemistry, designed, full):
    return struct.pack("<IB3x4sIIIIII", 0, 1, chemistry, designed, full, 0, 0, 0, 0)


def status(state):
    return ok_record(struct.pack("<IIIi", state, 0, 0, 0))


def battery_refresh(percent_and_time, state, state_words, chemistry, capacities, ec, verdict):
    """One refresh on battery power of a device that answers every request, the answers in
    the order the refresh asks for them."""
    return (
        power(0, 0, *percent_and_time)
        + string("hr")
        + string("min")
        + u8(0)  # a device
        + ok_record(u32(0x51))
        + status(state)
        + b"".join(string(word) for word in state_words)
        + ok_record(u32(0x51))
        + text_answer("Bat 1")
        + text_answer("ID42")
        + text_answer("Varn")
        + ok_record(information(chemistry, *capacities))
        + b"".join(ec_byte(value) for value in ec)
        + string(verdict)
    )


def refresh_seeds():
    once, twice = u8(0), u8(1)
    yield "critical_discharging", once + battery_refresh(
        (87, 7530), 0x0A, ("Critical", "Discharging"), b"LION", (100, 90), (0, 0, 0),
        "Your battery is operating normally.")
    yield "worn_out", once + battery_refresh(
        (12, 59), 0x02, ("Discharging",), b"NiMH", (100, 20), (0, 0, 0x29),
        "Your battery needs to be replaced.")
    yield "not_identified", once + battery_refresh(
        (255, 0xFFFFFFFE), 0x04, ("Charging",), b"LI\0N", (0, 0), (0x20,),
        "Unable to identify the battery.")
    # Mains without a system battery and without a device: every request fails.
    yield "no_battery", (
        once + power(1, 128, 255, 0xFFFFFFFF) + string("Unknown") + string("hr")
        + string("min") + u8(1) + string("No Battery") + ec_byte(0) * 3)
    # The power status cannot be read, then can.
    yield "status_fails_first", (
        twice + u8(1) + power(0, 1, 50, 59) + string("hr") + string("min") + u8(1))
    # The driver fills the whole name field and leaves no terminator.
    yield "unterminated_name", (
        once + power(1, 1, 100, 0) + string("hr") + string("min") + ec_byte(0x10) + u8(0)
        + ok_record(u32(7)) + status(1) + string("Idle") + ok_record(u32(7))
        + u8(3) + "N".encode("utf-16-le") * 255)
    # A controller that answers 0xFF everywhere.
    yield "controller_ff", (
        once + power(1, 1, 100, 3600) + string("hr") + string("min") + ec_byte(0xFF) + u8(1)
        + ec_byte(0xFF) + string("Unable to identify the battery."))


def driver_text(text, terminated=True):
    raw = text.encode("utf-16-le") + (b"\0\0" if terminated else b"")
    return u16(len(raw)) + raw.ljust(512, b"\0")


def simulated_battery(tag, state):
    """The development battery driver's state record, field by field."""
    return (u32(tag) + u32(0) + u32(state) + u32(36000) + u32(11100) + u32(-17280 & 0xFFFFFFFF)
            + u32(0x80000000) + u8(1) + b"\0" * 3 + b"LION" + u32(50000) + u32(48000)
            + u32(2400) + u32(1200) + u32(0) + u32(112) + u32(10) + u32(2982) + u8(14) + u8(3)
            + u16(2026) + driver_text("Varn 6-cell") + driver_text("Varn")
            + driver_text("N" * 255, terminated=False) + driver_text("0417"))


def battery_answer_seeds():
    # code choice (0 tag, 1 status, 2 information), output size, waitOver, input length, input
    present, empty = simulated_battery(7, 2), simulated_battery(0, 0)
    yield "tag_present", present + u8(0) + u16(4) + u8(0) + u8(4) + u32(200)
    yield "tag_waits", empty + u8(0) + u16(4) + u8(0) + u8(4) + u32(0xFFFFFFFF)
    yield "status_waits", present + u8(1) + u16(16) + u8(0) + u8(20) + u32(7) + u32(500) + u32(2) + u32(0) + u32(0xFFFFFFFF)
    for level in range(10):
        yield f"information_{level}", present + u8(2) + u16(510) + u8(0) + u8(12) + u32(7) + u32(level) + u32(0)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    entries = list(res_entries(pathlib.Path(sys.argv[1]).read_bytes()))
    write_folder("string_block", string_block_seeds(entries))
    write_folder("dialog_template", dialog_template_seeds(entries))
    write_folder("refresh_battery", refresh_seeds())
    write_folder("battery_answer", battery_answer_seeds())


if __name__ == "__main__":
    main()
