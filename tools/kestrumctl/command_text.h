// Numbers as the developer tool reads them from its command line and writes them out.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

std::u16string Decimal(std::int64_t value);
// "0x" and lower-case hexadecimal digits.
std::u16string Hex(std::uint32_t value);
// A whole argument as a number in C notation (decimal, 0x hexadecimal, 0 octal).
bool ParseNumber(std::wstring_view text, std::int64_t& value);
