#include "common/fixed_text.h"

#include <gtest/gtest.h>

namespace {

// A field with guard units on both sides, to catch any write outside it.
struct GuardedField {
    static constexpr char16_t kGuard = u'#';
    char16_t before = kGuard;
    char16_t field[6];
    char16_t after = kGuard;
    GuardedField() { std::fill(std::begin(field), std::end(field), u'?'); }
    bool GuardsIntact() const { return before == kGuard && after == kGuard; }
};

TEST(FixedTextTest, CutsAtTheFieldWidthAndStaysTerminated) {
    const struct {
        std::u16string input;
        std::u16string stored;
        bool truncated;
    } cases[] = {
        {u"", u"", false},
        {u"abcde", u"abcde", false},
        {u"abcdef", u"abcde", true},
        {std::u16string(1000, u'x'), u"xxxxx", true},
    };
    for (const auto& c : cases) {
        GuardedField g;
        FixedText text(g.field);
        text.Append(c.input);
        EXPECT_EQ(FieldText(g.field), c.stored);
        EXPECT_EQ(text.Length(), c.stored.size());
        EXPECT_EQ(text.Truncated(), c.truncated);
        EXPECT_EQ(g.field[c.stored.size()], u'\0');
        EXPECT_TRUE(g.GuardsIntact());
    }
}

TEST(FixedTextTest, NumberFormats) {
    const struct {
        std::int64_t value;
        int minDigits;
        std::u16string decimal;
    } decimals[] = {
        {0, 1, u"0"},
        {7, 2, u"07"},
        {59, 2, u"59"},
        {123, 2, u"123"},
        {-5, 1, u"-5"},
        {1193046, 1, u"1193046"},
        {INT64_MIN, 1, u"-9223372036854775808"},
    };
    for (const auto& c : decimals) {
        char16_t field[32];
        FixedText(field).AppendDecimal(c.value, c.minDigits);
        EXPECT_EQ(FieldText(field), c.decimal);
    }
    const struct {
        std::uint32_t value;
        std::u16string hex;
    } hexes[] = {{0, u"0"}, {0x1f, u"1f"}, {0xFF, u"ff"}, {0xDEADBEEF, u"deadbeef"}};
    for (const auto& c : hexes) {
        char16_t field[16];
        FixedText(field).AppendHex(c.value);
        EXPECT_EQ(FieldText(field), c.hex);
    }
}

TEST(FixedTextTest, NumbersAreCutLikeText) {
    GuardedField g;
    FixedText(g.field).Append(u"ab").AppendDecimal(123456);
    EXPECT_EQ(FieldText(g.field), u"ab123");
    EXPECT_TRUE(g.GuardsIntact());
}

TEST(FixedTextTest, CopyReplacesTheWholeText) {
    char16_t field[8];
    CopyText(field, u"longer");
    CopyText(field, u"ab");
    EXPECT_EQ(FieldText(field), u"ab");
}

TEST(FixedTextTest, ForeignFieldWithoutTerminatorIsBoundedAndTerminated) {
    GuardedField g;
    std::fill(std::begin(g.field), std::end(g.field), u'z');
    EXPECT_EQ(FieldText(g.field).size(), 6u);  // never past the field
    ForceTerminated(g.field);
    EXPECT_EQ(FieldText(g.field), u"zzzzz");
    EXPECT_TRUE(g.GuardsIntact());
}

}  // namespace
