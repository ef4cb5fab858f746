// The version record in every language, and the manifest, as compiled.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tests/host/fakes.h"
#include "tests/host/version_reader.h"

namespace {

constexpr std::uint16_t kStringType = 6, kVersionType = 16, kManifestType = 24;

std::string Narrow(const std::u16string& text) { return {text.begin(), text.end()}; }

std::u16string BlockKey(std::uint16_t language) {
    char key[9];
    std::snprintf(key, sizeof key, "%04x04e4", language);
    return {key, key + 8};
}

TEST(VersionResourcesTest, OneRecordPerStringTableLanguage) {
    // Block 9 holds the product's own texts, so its languages are the string table's.
    EXPECT_EQ(ProductResources().Languages(kVersionType, 1),
              ProductResources().Languages(kStringType, 9));
    EXPECT_EQ(ProductResources().Languages(kVersionType, 1).size(), 17u);
}

TEST(VersionResourcesTest, EachRecordIsTaggedWithItsLanguage) {
    for (std::uint16_t language : ProductResources().Languages(kVersionType, 1)) {
        SCOPED_TRACE(::testing::Message() << "language " << std::hex << language);
        const auto record =
            ReadVersionRecord(ProductResources().Find(kVersionType, 1, language)->data);
        ASSERT_TRUE(record.has_value());
        EXPECT_EQ(Narrow(record->key), "VS_VERSION_INFO");
        EXPECT_FALSE(record->isText);
        const std::vector<std::uint32_t> fixed{
            0xFEEF04BD, 0x00010000,     // signature, structure version 1.0
            0x00000000, 0x00010006,     // file version 0.0.1.6
            0x00000000, 0x00010006,     // product version 0.0.1.6
            0x3F,       0,              // flags mask, flags
            4,          1,          0,  // 32-bit Windows, application, no subtype
            0,          0,              // no date
        };
        EXPECT_EQ(record->DoubleWords(), fixed);
        ASSERT_EQ(record->children.size(), 2u);

        const VersionNode* strings = record->Child(u"StringFileInfo");
        ASSERT_NE(strings, nullptr);
        ASSERT_EQ(strings->children.size(), 1u);
        const VersionNode& block = strings->children[0];
        EXPECT_EQ(Narrow(block.key), Narrow(BlockKey(language)));
        const std::pair<std::string, std::string> values[] = {
            {"CompanyName", "Varn"},         {"FileVersion", "0.0.1.6"},
            {"InternalName", "Kestrum.exe"}, {"OriginalFilename", "Kestrum.exe"},
            {"ProductName", "Kestrum"},      {"ProductVersion", "0.0.1.6"},
        };
        ASSERT_EQ(block.children.size(), std::size(values));
        for (std::size_t i = 0; i < std::size(values); ++i) {
            EXPECT_TRUE(block.children[i].isText);
            EXPECT_EQ(Narrow(block.children[i].key), values[i].first);
            EXPECT_EQ(Narrow(block.children[i].Text()), values[i].second);
        }

        const VersionNode* variables = record->Child(u"VarFileInfo");
        ASSERT_NE(variables, nullptr);
        ASSERT_EQ(variables->children.size(), 1u);
        EXPECT_EQ(Narrow(variables->children[0].key), "Translation");
        EXPECT_EQ(variables->children[0].Words(), (std::vector<std::uint16_t>{language, 1252}));
    }
}

TEST(VersionResourcesTest, Manifest) {
    EXPECT_EQ(ProductResources().Languages(kManifestType, 1), std::vector<std::uint16_t>{0x0409});
    const ResEntry* entry = ProductResources().Find(kManifestType, 1, 0x0409);
    ASSERT_NE(entry, nullptr);
    std::string text;
    for (std::byte b : entry->data) text.push_back(static_cast<char>(b));
    const std::string expected[] = {
        R"(version="1.0.0.1" processorArchitecture="X86")",
        R"(name="Kestrum" type="win32")",
        "<description>Kestrum.exe</description>",
        R"(name="Microsoft.Windows.Common-Controls" version="6.0.0.0")",
        R"(processorArchitecture="x86")",
        R"(publicKeyToken="6595b64144ccf1df" language="*")",
        std::string(R"(level="asInvoker" uiAccess=")") + KESTRUM_UI_ACCESS_VALUE + R"(")",
    };
    for (const std::string& part : expected) {
        EXPECT_NE(text.find(part), std::string::npos) << part;
    }
}

}  // namespace
