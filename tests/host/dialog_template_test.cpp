#include "resources/dialog_template.h"

#include <gtest/gtest.h>

#include "resources/byte_writer.h"
#include "tests/host/fakes.h"

namespace {

constexpr std::uint16_t kDialogType = 5;
constexpr std::uint32_t kSetFont = 0x40;

// An old-form template like the common-controls library's property-sheet template: a font
// with size and face only, one control with an ordinal class, one with a text class, a
// 16-bit identifier meaning "never addressed", and creation bytes.
std::vector<std::byte> OldFormTemplate() {
    ByteWriter out;
    out.PutU32(0x80C800C8).PutU32(0x00000100).PutU16(2);
    for (std::uint16_t value : {1, 2, 212, 188}) out.PutU16(value);
    out.PutU16(0).PutU16(0).PutTerminatedText(u"Sheet");  // no menu, default class
    out.PutU16(8).PutTerminatedText(u"MS Shell Dlg");
    out.AlignTo4();
    out.PutU32(0x50000000).PutU32(0);
    for (std::uint16_t value : {4, 4, 204, 154}) out.PutU16(value);
    out.PutU16(0xFFFF).PutU16(0xFFFF).PutU16(0x0082).PutU16(0xFFFF).PutU16(128);
    out.PutU16(3).PutU8(7).PutU8(8).PutU8(9);
    out.AlignTo4();
    out.PutU32(0x50010000).PutU32(0x4);
    for (std::uint16_t value : {0xFFF0, 160, 50, 14}) out.PutU16(value);
    out.PutU16(0x3020).PutTerminatedText(u"SysTabControl32").PutTerminatedText(u"Tab");
    out.PutU16(0);
    return out.Take();
}

// The fixed part of an extended template without controls, menu, class or caption.
ByteWriter ExtendedHeader(std::uint32_t style) {
    ByteWriter out;
    out.PutU16(1).PutU16(0xFFFF).PutU32(0).PutU32(0).PutU32(style).PutU16(0);
    for (int i = 0; i < 7; ++i) out.PutU16(0);
    return out;
}

std::span<const std::byte> ProductTemplate(std::uint16_t id, std::uint16_t language) {
    const ResEntry* entry = ProductResources().Find(kDialogType, id, language);
    return entry ? entry->data : std::span<const std::byte>{};
}

TEST(DialogTemplateTest, ReadsTheOldForm) {
    const auto dialog = ParseDialogTemplate(OldFormTemplate());
    ASSERT_TRUE(dialog.has_value());
    EXPECT_FALSE(dialog->extended);
    EXPECT_EQ(dialog->style, 0x80C800C8u);
    EXPECT_EQ(dialog->exStyle, 0x100u);
    EXPECT_EQ(dialog->cx, 212);
    EXPECT_EQ(dialog->cy, 188);
    EXPECT_EQ(dialog->menu, OrdinalOrText{});
    EXPECT_EQ(dialog->caption, OrdinalOrText::Text(u"Sheet"));
    EXPECT_EQ(dialog->font, (DialogFont{8, 0, false, 1, u"MS Shell Dlg"}));
    ASSERT_EQ(dialog->controls.size(), 2u);
    const DialogControl& picture = dialog->controls[0];
    EXPECT_EQ(picture.id, -1);
    EXPECT_EQ(picture.windowClass, OrdinalOrText::Ordinal(0x82));
    EXPECT_EQ(picture.title, OrdinalOrText::Ordinal(128));
    EXPECT_EQ(picture.creationData,
              (std::vector<std::byte>{std::byte{7}, std::byte{8}, std::byte{9}}));
    const DialogControl& tab = dialog->controls[1];
    EXPECT_EQ(tab.x, -16);
    EXPECT_EQ(tab.id, 0x3020);
    EXPECT_EQ(tab.exStyle, 0x4u);
    EXPECT_EQ(tab.windowClass, OrdinalOrText::Text(u"SysTabControl32"));
    EXPECT_EQ(tab.title, OrdinalOrText::Text(u"Tab"));
}

TEST(DialogTemplateTest, EveryCutYieldsNothing) {
    const std::vector<std::byte> oldForm = OldFormTemplate();
    const std::span<const std::byte> sources[] = {oldForm, ProductTemplate(131, 0x0409),
                                                  ProductTemplate(100, 0x0409)};
    for (std::span<const std::byte> full : sources) {
        ASSERT_TRUE(ParseDialogTemplate(full).has_value());
        // A copy of exactly the cut length, so that AddressSanitizer sees any read past it.
        for (std::size_t size = 0; size < full.size(); ++size) {
            const std::vector<std::byte> cut(full.begin(), full.begin() + size);
            EXPECT_FALSE(ParseDialogTemplate(cut).has_value()) << size << " of " << full.size();
        }
    }
}

TEST(DialogTemplateTest, RefusesMalformedTemplates) {
    std::vector<std::byte> moreControlsThanStored = OldFormTemplate();
    moreControlsThanStored[8] = std::byte{3};
    ByteWriter unterminated;
    unterminated.PutU32(0).PutU32(0).PutU16(0);
    for (int i = 0; i < 4; ++i) unterminated.PutU16(0);
    unterminated.PutU16(0).PutU16(0).PutU16(u'A').PutU16(u'B');
    const std::vector<std::byte> unterminatedCaption = unterminated.Take();
    // The font flag promises a font the bytes do not hold.
    const std::vector<std::byte> missingFont = ExtendedHeader(kSetFont).Take();
    for (const auto& bytes : {moreControlsThanStored, unterminatedCaption, missingFont}) {
        EXPECT_FALSE(ParseDialogTemplate(bytes).has_value());
        EXPECT_TRUE(WithDialogFont(bytes, DialogFont{}).empty());
    }
}

TEST(DialogTemplateTest, WithDialogFontReplacesOnlyTheFont) {
    const std::span<const std::byte> page = ProductTemplate(131, 0x0007);
    const auto original = ParseDialogTemplate(page);
    ASSERT_TRUE(original.has_value());
    // Faces of every length modulo two units move the controls by 0, 2, 4 and 6 bytes, so the
    // re-alignment is exercised in both directions.
    for (const std::u16string face : {u"A", u"AB", u"ABC", u"MS Shell Dlg", u"Tahoma Bold"}) {
        const DialogFont font{9, 700, true, 204, face};
        const std::vector<std::byte> replaced = WithDialogFont(page, font);
        const auto dialog = ParseDialogTemplate(replaced);
        ASSERT_TRUE(dialog.has_value()) << std::string(face.begin(), face.end());
        DialogTemplate expected = *original;
        expected.font = font;
        EXPECT_EQ(*dialog, expected);
    }
}

TEST(DialogTemplateTest, WithDialogFontKeepsTheCompilersLayout) {
    // Given its own font back, every product template comes out byte for byte as compiled: the
    // rewritten layout is the one the dialog manager reads.
    for (const ResEntry& entry : ProductResources().Entries()) {
        if (entry.type != ResId::Ordinal(kDialogType)) continue;
        const auto dialog = ParseDialogTemplate(entry.data);
        ASSERT_TRUE(dialog && dialog->font);
        const std::vector<std::byte> rewritten = WithDialogFont(entry.data, *dialog->font);
        EXPECT_TRUE(
            std::equal(rewritten.begin(), rewritten.end(), entry.data.begin(), entry.data.end()))
            << "template " << *entry.name.ordinal << " language " << entry.language;
    }
}

TEST(DialogTemplateTest, WithDialogFontAddsAFontWhereThereWasNone) {
    const std::vector<std::byte> bare = ExtendedHeader(0x80000000).Take();
    const DialogFont font{8, 0, false, 1, u"MS Shell Dlg"};
    const auto dialog = ParseDialogTemplate(WithDialogFont(bare, font));
    ASSERT_TRUE(dialog.has_value());
    EXPECT_EQ(dialog->style, 0x80000000u | kSetFont);
    EXPECT_EQ(dialog->font, font);
}

TEST(DialogTemplateTest, WithDialogFontTakesOnlyTheExtendedForm) {
    EXPECT_TRUE(WithDialogFont(OldFormTemplate(), DialogFont{}).empty());
}

}  // namespace
