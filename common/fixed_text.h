// Bounded writing into fixed-size UTF-16 text fields.
//
// Every display text of the program lives in a field of a fixed number of units. This is the
// only way such a field is written: each operation cuts at the field's width and leaves the
// field terminated, so no text, however long, can overrun it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

class FixedText {
public:
    // Starts writing at the beginning of the field and empties it. `capacity` counts the
    // terminator, so a field of N units holds at most N - 1 units of text.
    FixedText(char16_t* field, std::size_t capacity);

    template <std::size_t N>
    explicit FixedText(char16_t (&field)[N]) : FixedText(field, N) {
        static_assert(N > 0, "a text field needs room for its terminator");
    }

    FixedText(const FixedText&) = delete;
    FixedText& operator=(const FixedText&) = delete;

    FixedText& Append(std::u16string_view text);
    // Decimal digits of `value`, at least `minDigits` of them (zero-padded, as "%02d" does).
    FixedText& AppendDecimal(std::int64_t value, int minDigits = 1);
    // Lower-case hexadecimal digits without prefix, as "%x" does.
    FixedText& AppendHex(std::uint32_t value);

    std::size_t Length() const { return m_length; }
    // True when some text did not fit and was cut.
    bool Truncated() const { return m_truncated; }

private:
    void Put(char16_t unit);

    char16_t* m_field;
    std::size_t m_capacity;
    std::size_t m_length = 0;
    bool m_truncated = false;
};

// Replaces the whole field with `text`, cut to the field's width.
template <std::size_t N>
void CopyText(char16_t (&field)[N], std::u16string_view text) {
    FixedText(field).Append(text);
}

// A field that someone else filled (a driver, a system call) may lack its terminator: force
// one into the last unit so that every later reader stops inside the field.
template <std::size_t N>
void ForceTerminated(char16_t (&field)[N]) {
    field[N - 1] = u'\0';
}

// Length of a terminated text in a field, never reading past the field's end.
template <std::size_t N>
std::u16string_view FieldText(const char16_t (&field)[N]) {
    std::size_t length = 0;
    while (length < N && field[length] != u'\0') ++length;
    return {field, length};
}
