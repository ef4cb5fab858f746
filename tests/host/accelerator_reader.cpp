#include "tests/host/accelerator_reader.h"

#include "resources/byte_cursor.h"

std::optional<std::vector<Accelerator>> ReadAccelerators(std::span<const std::byte> bytes) {
    constexpr std::uint16_t kLastEntry = 0x80;
    ByteCursor in(bytes);
    std::vector<Accelerator> table;
    while (in.Remaining() != 0) {
        if (!table.empty() && table.back().flags & kLastEntry) return std::nullopt;
        std::uint16_t flags = 0, padding = 0;
        Accelerator entry;
        if (!in.ReadU16(flags) || !in.ReadU16(entry.key) || !in.ReadU16(entry.command) ||
            !in.ReadU16(padding)) {
            return std::nullopt;
        }
        entry.flags = static_cast<std::uint8_t>(flags);
        table.push_back(entry);
    }
    if (table.empty() || !(table.back().flags & kLastEntry)) return std::nullopt;
    table.back().flags &= static_cast<std::uint8_t>(~kLastEntry);
    return table;
}
