// String blocks of one language, read from a compiled resource file.
#pragma once

#include <cstdint>

#include "resources/res_file.h"
#include "resources/string_table.h"

class ResStringBlocks final : public StringBlockSource {
public:
    ResStringBlocks(const ResFile& file, std::uint16_t language)
        : m_file(file), m_language(language) {}

    std::span<const std::byte> FindBlock(std::uint16_t blockNumber) const override {
        constexpr std::uint16_t kStringType = 6;
        const ResEntry* entry = m_file.Find(kStringType, blockNumber, m_language);
        return entry ? entry->data : std::span<const std::byte>{};
    }

private:
    const ResFile& m_file;
    std::uint16_t m_language;
};
