// A reader for compiled resource files (.res), so that host code can look at exactly the data
// the resource compiler embeds in the executable.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "resources/ordinal_or_text.h"

// Types and names: the compiler stores string names and custom types upper-cased.
using ResId = OrdinalOrText;

struct ResEntry {
    ResId type;
    ResId name;
    std::uint16_t language = 0;
    std::span<const std::byte> data;
};

class ResFile {
public:
    // Parses `bytes`, which must outlive the ResFile. Returns nothing when the bytes are not a
    // well-formed resource file.
    static std::optional<ResFile> Parse(std::span<const std::byte> bytes);

    const std::vector<ResEntry>& Entries() const { return m_entries; }

    // The entry of an ordinal type and name in exactly `language`, or null.
    const ResEntry* Find(std::uint16_t type, std::uint16_t name, std::uint16_t language) const;
    // Every language in which an ordinal type and name exists, in file order.
    std::vector<std::uint16_t> Languages(std::uint16_t type, std::uint16_t name) const;

private:
    std::vector<ResEntry> m_entries;
};

// Reads a whole file into memory; empty when it cannot be read.
std::vector<std::byte> ReadFileBytes(const std::string& path);
