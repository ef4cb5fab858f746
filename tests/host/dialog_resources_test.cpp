// The three dialog templates as compiled: every language variant, control by control.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <string>

#include "resources/dialog_template.h"
#include "resources/resource.h"
#include "tests/host/fakes.h"

namespace {

constexpr std::uint16_t kDialogType = 5;
constexpr std::uint16_t kArabic = 0x0001;
constexpr std::uint32_t kMirrored = 0x00400000;
constexpr std::uint32_t kPageStyle = 0x80C800C0;

// Class names are matched without case: the resource compiler upper-cases them.
std::string ClassName(const OrdinalOrText& windowClass) {
    if (windowClass.ordinal == 0x80) return "BUTTON";
    if (windowClass.ordinal == 0x82) return "STATIC";
    if (windowClass.ordinal) return "#" + std::to_string(*windowClass.ordinal);
    std::string name(windowClass.text.begin(), windowClass.text.end());
    for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return name;
}

std::string Narrow(const std::u16string& text) { return {text.begin(), text.end()}; }

struct Box {
    int x, y, cx, cy;
    bool operator==(const Box&) const = default;
    int Right() const { return x + cx; }
    int Bottom() const { return y + cy; }
    bool Overlaps(const Box& other) const {
        return x < other.Right() && other.x < Right() && y < other.Bottom() && other.y < Bottom();
    }
    bool Contains(const Box& inner) const {
        return inner.x >= x && inner.y >= y && inner.Right() <= Right() &&
               inner.Bottom() <= Bottom();
    }
};

std::ostream& operator<<(std::ostream& out, const Box& box) {
    return out << "(" << box.x << ", " << box.y << ", " << box.cx << ", " << box.cy << ")";
}

Box BoxOf(const DialogControl& c) { return {c.x, c.y, c.cx, c.cy}; }

struct Control {
    int id;
    std::string windowClass;
    std::uint32_t style;
    Box box;
    std::string text;
};

Control Simplified(const DialogControl& c) {
    return {c.id, ClassName(c.windowClass), c.style, BoxOf(c),
            c.title.ordinal ? "#" + std::to_string(*c.title.ordinal) : Narrow(c.title.text)};
}

DialogTemplate ProductDialog(std::uint16_t id, std::uint16_t language) {
    const ResEntry* entry = ProductResources().Find(kDialogType, id, language);
    if (!entry) ADD_FAILURE() << "no template " << id << " in language " << language;
    auto dialog = entry ? ParseDialogTemplate(entry->data) : std::nullopt;
    if (entry && !dialog) ADD_FAILURE() << "template " << id << " does not parse";
    return dialog.value_or(DialogTemplate{});
}

void ExpectControls(const DialogTemplate& dialog, const std::vector<Control>& expected) {
    ASSERT_EQ(dialog.controls.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const DialogControl& stored = dialog.controls[i];
        const Control actual = Simplified(stored);
        const Control& want = expected[i];
        SCOPED_TRACE("control " + std::to_string(i + 1) + ", id " + std::to_string(want.id));
        EXPECT_EQ(actual.id, want.id);
        EXPECT_EQ(actual.windowClass, want.windowClass);
        EXPECT_EQ(actual.style, want.style) << std::hex << actual.style;
        EXPECT_EQ(actual.box, want.box);
        EXPECT_EQ(actual.text, want.text);
        EXPECT_EQ(stored.exStyle, 0u);
        EXPECT_EQ(stored.helpId, 0u);
        EXPECT_TRUE(stored.creationData.empty());
    }
}

const std::vector<std::uint16_t> kStatusLanguages{0x0001, 0x0007, 0x000A, 0x0010, 0x0016,
                                                  0x0409, 0x040A, 0x040E, 0x0419};
const std::vector<std::uint16_t> kLifeLanguages{0x0001, 0x0409};

constexpr std::uint32_t kLeft = 0x50020000, kCentred = 0x50020001, kRight = 0x50020002;

const std::vector<Control> kEnglishStatusPage{
    {1000, "MSCTLS_PROGRESS32", 0x50800000, {60, 17, 161, 14}, ""},
    {1001, "STATIC", kLeft, {67, 42, 91, 8}, "Battery Status:"},
    {1002, "STATIC", kLeft, {159, 42, 83, 8}, "Status"},
    {1003, "STATIC", kCentred, {221, 20, 34, 8}, "%"},
    {1004, "STATIC", kLeft, {34, 73, 99, 8}, "Battery Name:"},
    {1006, "STATIC", kLeft, {34, 87, 99, 8}, "Battery Identifier:"},
    {1008, "STATIC", kLeft, {34, 101, 99, 8}, "Manufacturer:"},
    {1010, "STATIC", kLeft, {34, 115, 99, 8}, "Battery Chemistry:"},
    {1005, "STATIC", kLeft, {133, 73, 113, 8}, "Name"},
    {1007, "STATIC", kLeft, {133, 87, 113, 8}, "Identifier"},
    {1009, "STATIC", kLeft, {133, 101, 113, 8}, "Manufacturer"},
    {1011, "STATIC", kLeft, {133, 115, 113, 8}, "Chemistry"},
    {1012, "STATIC", kLeft, {34, 142, 194, 50}, "Health"},
    {1017, "STATIC", kLeft, {159, 57, 83, 8}, "Time"},
    {1018, "STATIC", 0x5000000E, {17, 12, 15, 15}, ""},
    {1016, "STATIC", kLeft, {67, 57, 91, 8}, "Battery Remaining Time:"},
};

// How a language's status page departs from the English one; every other number is English.
struct StatusVariant {
    std::uint16_t language;
    int width;
    std::function<void(std::vector<Control>&)> change;
};

Control& ById(std::vector<Control>& controls, int id) {
    return *std::find_if(controls.begin(), controls.end(),
                         [id](const Control& c) { return c.id == id; });
}

void MoveFacts(std::vector<Control>& controls, int labelX, int labelWidth, int valueX,
               int valueWidth) {
    for (int id : {1004, 1006, 1008, 1010}) ById(controls, id).box.x = labelX;
    for (int id : {1004, 1006, 1008, 1010}) ById(controls, id).box.cx = labelWidth;
    for (int id : {1005, 1007, 1009, 1011}) ById(controls, id).box.x = valueX;
    for (int id : {1005, 1007, 1009, 1011}) ById(controls, id).box.cx = valueWidth;
}

void WideLatin(std::vector<Control>& c, int percentWidth, int labelX, int valueX) {
    ById(c, 1003).box = {222, 20, percentWidth, 8};
    MoveFacts(c, labelX, 99, valueX, 113);
}

const StatusVariant kStatusVariants[] = {
    {0x0409, 255, [](auto&) {}},
    {0x0001, 255, [](auto&) {}},
    {0x0007, 262,
     [](auto& c) {
         ById(c, 1003).box = {222, 20, 39, 8};
         MoveFacts(c, 19, 99, 159, 100);
         ById(c, 1010).box.cx = 135;
         ById(c, 1010).text = "Battery Chemitry:";
     }},
    {0x000A, 265, [](auto& c) { WideLatin(c, 42, 40, 139); }},
    {0x0010, 265, [](auto& c) { WideLatin(c, 42, 40, 139); }},
    {0x0419, 265, [](auto& c) { WideLatin(c, 42, 40, 139); }},
    {0x0016, 267, [](auto& c) { WideLatin(c, 45, 41, 140); }},
    {0x040A, 255,
     [](auto& c) {
         ById(c, 1003).style = kRight;
         ById(c, 1003).box = {221, 20, 21, 8};
         MoveFacts(c, 26, 115, 141, 110);
     }},
    {0x040E, 255,
     [](auto& c) {
         ById(c, 1001).box = {60, 42, 90, 8};
         ById(c, 1002).box = {176, 42, 74, 8};
         ById(c, 1016).box = {60, 57, 116, 8};
         ById(c, 1016).text = "Battery Remain Tiime:";
         ById(c, 1017).box = {176, 57, 74, 8};
     }},
};

std::vector<std::uint16_t> SortedLanguages(std::uint16_t id) {
    std::vector<std::uint16_t> languages = ProductResources().Languages(kDialogType, id);
    std::sort(languages.begin(), languages.end());
    return languages;
}

TEST(DialogResourcesTest, EachTemplateExistsInExactlyItsLanguages) {
    EXPECT_EQ(SortedLanguages(IDD_STATUS_PAGE), kStatusLanguages);
    EXPECT_EQ(SortedLanguages(IDD_LIFE_PAGE), kLifeLanguages);
    EXPECT_EQ(SortedLanguages(IDD_ABOUTBOX), std::vector<std::uint16_t>{0x0409});
}

TEST(DialogResourcesTest, StatusPageVariantsDifferOnlyWhereTheirLanguageNeeds) {
    ASSERT_EQ(std::size(kStatusVariants), kStatusLanguages.size());
    for (const StatusVariant& variant : kStatusVariants) {
        SCOPED_TRACE(::testing::Message() << "language " << std::hex << variant.language);
        const DialogTemplate dialog = ProductDialog(IDD_STATUS_PAGE, variant.language);
        EXPECT_TRUE(dialog.extended);
        EXPECT_EQ(dialog.style, kPageStyle);
        EXPECT_EQ(dialog.exStyle, variant.language == kArabic ? kMirrored : 0u);
        EXPECT_EQ((Box{dialog.x, dialog.y, dialog.cx, dialog.cy}), (Box{0, 0, variant.width, 200}));
        EXPECT_EQ(dialog.caption, OrdinalOrText::Text(u"Dialog"));
        EXPECT_EQ(dialog.font, (DialogFont{8, 0, false, 0, u"MS Sans Serif"}));
        std::vector<Control> expected = kEnglishStatusPage;
        variant.change(expected);
        ExpectControls(dialog, expected);
    }
}

const std::vector<Control> kEnglishLifePage{
    {1013, "BUTTON", 0x50000007, {17, 22, 222, 88}, "Disable Charging"},
    {1014, "BUTTON", 0x50010003, {33, 37, 186, 10}, "Disable battery charging"},
    {1015, "STATIC", kLeft, {44, 52, 180, 43}, "Discharge description"},
};

TEST(DialogResourcesTest, LifePageIsMirroredAndReorderedForArabicOnly) {
    const struct {
        std::uint16_t language;
        std::vector<int> order;
    } variants[] = {{0x0409, {1013, 1014, 1015}}, {kArabic, {1014, 1015, 1013}}};
    for (const auto& variant : variants) {
        SCOPED_TRACE(::testing::Message() << "language " << std::hex << variant.language);
        const DialogTemplate dialog = ProductDialog(IDD_LIFE_PAGE, variant.language);
        EXPECT_EQ(dialog.style, kPageStyle);
        EXPECT_EQ(dialog.exStyle, variant.language == kArabic ? kMirrored : 0u);
        EXPECT_EQ((Box{dialog.x, dialog.y, dialog.cx, dialog.cy}), (Box{0, 0, 255, 200}));
        EXPECT_EQ(dialog.caption, OrdinalOrText::Text(u"Dialog"));
        EXPECT_EQ(dialog.font, (DialogFont{8, 0, false, 0, u"MS Sans Serif"}));
        std::vector<Control> expected;
        for (int id : variant.order) {
            expected.push_back(*std::find_if(kEnglishLifePage.begin(), kEnglishLifePage.end(),
                                             [id](const Control& c) { return c.id == id; }));
        }
        ExpectControls(dialog, expected);
    }
}

TEST(DialogResourcesTest, AboutBox) {
    const DialogTemplate dialog = ProductDialog(IDD_ABOUTBOX, 0x0409);
    EXPECT_TRUE(dialog.extended);
    EXPECT_EQ(dialog.style, 0x80C800C8u);
    EXPECT_EQ(dialog.exStyle, 0u);
    EXPECT_EQ((Box{dialog.x, dialog.y, dialog.cx, dialog.cy}), (Box{0, 0, 235, 55}));
    EXPECT_EQ(dialog.caption, OrdinalOrText::Text(u"About Kestrum"));
    EXPECT_EQ(dialog.font, (DialogFont{8, 0, false, 1, u"MS Shell Dlg"}));
    ASSERT_EQ(dialog.controls.size(), 4u);
    const std::string notice = Narrow(dialog.controls[2].title.text);
    ExpectControls(dialog, {
                               {-1, "STATIC", 0x50000003, {11, 17, 20, 20}, "#128"},
                               {-1, "STATIC", 0x50020080, {40, 10, 119, 8}, "Kestrum Version 1.0"},
                               {-1, "STATIC", kLeft, {40, 25, 119, 8}, notice},
                               {1, "BUTTON", 0x50030001, {178, 7, 50, 16}, "OK"},
                           });
    // The notice is one line that names a year of issue.
    EXPECT_EQ(notice.find('\n'), std::string::npos);
    EXPECT_NE(notice.find("20"), std::string::npos) << notice;
}

TEST(DialogResourcesTest, EveryControlLiesInsideItsDialogAndNoneOverlap) {
    for (const ResEntry& entry : ProductResources().Entries()) {
        if (entry.type != ResId::Ordinal(kDialogType)) continue;
        const DialogTemplate dialog = ProductDialog(*entry.name.ordinal, entry.language);
        SCOPED_TRACE(::testing::Message() << "template " << *entry.name.ordinal << " language "
                                          << std::hex << entry.language);
        const Box page{0, 0, dialog.cx, dialog.cy};
        for (const DialogControl& control : dialog.controls) {
            EXPECT_TRUE(page.Contains(BoxOf(control))) << "id " << control.id << BoxOf(control);
        }
        // A group box holds its neighbours; every other pair must stay apart.
        for (const DialogControl& a : dialog.controls) {
            for (const DialogControl& b : dialog.controls) {
                if (&a >= &b) continue;
                const bool groupBox = (a.style & 0x0F) == 7 && a.windowClass.ordinal == 0x80;
                const bool otherGroupBox = (b.style & 0x0F) == 7 && b.windowClass.ordinal == 0x80;
                if (groupBox) {
                    EXPECT_TRUE(BoxOf(a).Contains(BoxOf(b))) << a.id << " " << b.id;
                } else if (otherGroupBox) {
                    EXPECT_TRUE(BoxOf(b).Contains(BoxOf(a))) << b.id << " " << a.id;
                } else {
                    EXPECT_FALSE(BoxOf(a).Overlaps(BoxOf(b)))
                        << a.id << BoxOf(a) << " and " << b.id << BoxOf(b);
                }
            }
        }
    }
}

}  // namespace
