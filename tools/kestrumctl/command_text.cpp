#include "tools/kestrumctl/command_text.h"

#include <cwchar>

#include "common/fixed_text.h"

std::u16string Decimal(std::int64_t value) {
    char16_t text[24];
    FixedText(text).AppendDecimal(value);
    return text;
}

std::u16string Hex(std::uint32_t value) {
    char16_t text[16];
    FixedText(text).Append(u"0x").AppendHex(value);
    return text;
}

bool ParseNumber(std::wstring_view text, std::int64_t& value) {
    const std::wstring copy(text);
    wchar_t* end = nullptr;
    value = std::wcstoll(copy.c_str(), &end, 0);
    return end != copy.c_str() && *end == L'\0';
}
