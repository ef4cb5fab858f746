#include "tests/host/menu_reader.h"

#include "resources/byte_cursor.h"

namespace {

constexpr std::uint16_t kPopup = 0x10;
constexpr std::uint16_t kEndOfLevel = 0x80;

// One level, up to and including the item marked as its last.
bool ReadLevel(ByteCursor& in, std::vector<MenuItem>& level, int depth) {
    if (depth > 8) return false;
    for (;;) {
        MenuItem item;
        if (!in.ReadU16(item.flags)) return false;
        const bool last = (item.flags & kEndOfLevel) != 0;
        item.flags &= static_cast<std::uint16_t>(~kEndOfLevel);
        if (!(item.flags & kPopup) && !in.ReadU16(item.command)) return false;
        if (!in.ReadTerminatedText(item.text)) return false;
        if ((item.flags & kPopup) && !ReadLevel(in, item.items, depth + 1)) return false;
        level.push_back(std::move(item));
        if (last) return true;
    }
}

}  // namespace

std::optional<std::vector<MenuItem>> ReadMenu(std::span<const std::byte> bytes) {
    ByteCursor in(bytes);
    std::uint16_t version = 0, headerSize = 0;
    if (!in.ReadU16(version) || !in.ReadU16(headerSize) || version != 0 || headerSize != 0) {
        return std::nullopt;
    }
    std::vector<MenuItem> bar;
    if (!ReadLevel(in, bar, 0) || in.Remaining() != 0) return std::nullopt;
    return bar;
}
