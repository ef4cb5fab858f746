// Reading one text out of a string block in the platform's string-table form.
//
// A block holds the texts of sixteen consecutive identifiers (block number id / 16 + 1); each
// entry is a 16-bit length in code units followed by that many UTF-16 units, no terminator.
// Blocks may come from a language library we did not build, so the walk trusts nothing in
// them and never reads past the block's end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

constexpr std::uint16_t StringBlockNumber(std::uint16_t id) {
    return static_cast<std::uint16_t>(id / 16 + 1);
}

// Copies the text of `id` into `text` and returns true; returns false ("not found") when the
// entry is empty or the block ends before it, leaving `text` as it was.
bool FindStringInBlock(std::span<const std::byte> block, std::uint16_t id, std::u16string& text);
