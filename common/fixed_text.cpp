#include "common/fixed_text.h"

FixedText::FixedText(char16_t* field, std::size_t capacity) : m_field(field), m_capacity(capacity) {
    if (m_capacity > 0) m_field[0] = u'\0';
}

void FixedText::Put(char16_t unit) {
    if (m_length + 1 >= m_capacity) {
        m_truncated = true;
        return;
    }
    m_field[m_length++] = unit;
    m_field[m_length] = u'\0';
}

FixedText& FixedText::Append(std::u16string_view text) {
    for (char16_t unit : text) Put(unit);
    return *this;
}

FixedText& FixedText::AppendDecimal(std::int64_t value, int minDigits) {
    // Widen before negating so that the most negative value has a magnitude too.
    std::uint64_t magnitude =
        value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    char16_t digits[24];
    int count = 0;
    do {
        digits[count++] = static_cast<char16_t>(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    while (count < minDigits && count < static_cast<int>(sizeof digits / sizeof *digits)) {
        digits[count++] = u'0';
    }
    if (value < 0) Put(u'-');
    while (count > 0) Put(digits[--count]);
    return *this;
}

FixedText& FixedText::AppendHex(std::uint32_t value) {
    static constexpr char16_t kDigits[] = u"0123456789abcdef";
    char16_t digits[8];
    int count = 0;
    do {
        digits[count++] = kDigits[value & 0xF];
        value >>= 4;
    } while (value != 0);
    while (count > 0) Put(digits[--count]);
    return *this;
}
