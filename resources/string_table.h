// Text lookup by identifier.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "resources/string_block.h"

class StringTable {
public:
    virtual ~StringTable() = default;
    // Copies the text into `text` and returns true, or returns false ("not found") and leaves
    // `text` as it was.
    virtual bool Load(std::uint16_t id, std::u16string& text) const = 0;
};

// Supplies the bytes of one string block, already resolved to the lookup's language; an empty
// span when the block does not exist.
class StringBlockSource {
public:
    virtual ~StringBlockSource() = default;
    virtual std::span<const std::byte> FindBlock(std::uint16_t blockNumber) const = 0;
};

// The lookup the program uses: the block from a source, then the walk inside it. Nothing is
// cached; every call reads the resource data again.
class BlockStringTable final : public StringTable {
public:
    explicit BlockStringTable(const StringBlockSource& blocks) : m_blocks(blocks) {}

    bool Load(std::uint16_t id, std::u16string& text) const override {
        return FindStringInBlock(m_blocks.FindBlock(StringBlockNumber(id)), id, text);
    }

private:
    const StringBlockSource& m_blocks;
};

// The text of `id`, or empty when it is not found.
inline std::u16string LoadText(const StringTable& strings, std::uint16_t id) {
    std::u16string text;
    strings.Load(id, text);
    return text;
}
