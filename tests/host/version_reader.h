// Test-only reader of a version record: a tree of nodes, each a length, a value length, a type
// (1 text, 0 binary), a key, then its value and children, each on a four-byte boundary.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

struct VersionNode {
    std::u16string key;
    bool isText = false;
    std::vector<std::byte> value;
    std::vector<VersionNode> children;

    // A text value up to its terminator.
    std::u16string Text() const;
    // A binary value as 16- or 32-bit little-endian words.
    std::vector<std::uint16_t> Words() const;
    std::vector<std::uint32_t> DoubleWords() const;
    const VersionNode* Child(std::u16string_view childKey) const;
};

std::optional<VersionNode> ReadVersionRecord(std::span<const std::byte> bytes);
