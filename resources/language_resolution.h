// Which language's copy of a resource a lookup reads.
#pragma once

#include <cstdint>
#include <span>

// The first of these that `available` holds: the user-interface language exactly, the same
// primary language with the neutral sub-language, English (United States). 0 when none is
// there, which every caller treats as "the resource does not exist".
std::uint16_t ResolveLanguage(std::uint16_t userInterfaceLanguage,
                              std::span<const std::uint16_t> available);
