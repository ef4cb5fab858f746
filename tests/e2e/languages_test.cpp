// Kestrum in each of its languages, from the battery key to both pages: the texts the user
// reads, the template each page was built from, the mirrored pages, and a screenshot of each
// page. A run has one user-interface language (LC_ALL), so each test picks its language's case.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "tests/e2e/driver/e2e_driver.h"
#include "tests/e2e/driver/font_links.h"

namespace e2e {
namespace {

using testing::ElementsAre;

// On battery for 2 hours and 5 minutes: the time text shows both units.
constexpr std::uint32_t kSecondsLeft = 7530;
constexpr int kPercent = 50;

// Where the status page's columns start, in dialog units: what tells its templates apart.
struct StatusColumns {
    int stateLabelX, stateValueX, factLabelX, factValueX;
};
constexpr StatusColumns kEnglishStatus{67, 159, 34, 133};
constexpr StatusColumns kGermanStatus{67, 159, 19, 159};
constexpr StatusColumns kWiderStatus{67, 159, 40, 139};
constexpr StatusColumns kPortugueseStatus{67, 159, 41, 140};
constexpr StatusColumns kHungarianStatus{60, 176, 34, 133};
constexpr StatusColumns kMarkerStatus{67, 159, 50, 150};

const std::vector<int> kEnglishLifeOrder{IDC_CHARGE_GROUP, IDC_DISABLE_CHARGING, IDC_CHARGE_NOTE};
const std::vector<int> kArabicLifeOrder{IDC_DISABLE_CHARGING, IDC_CHARGE_NOTE, IDC_CHARGE_GROUP};
const std::vector<int> kMarkerLifeOrder{IDC_CHARGE_NOTE, IDC_DISABLE_CHARGING, IDC_CHARGE_GROUP};

std::wstring RunLocale() {
    // Wine shows the Unix environment's variables to Windows programs as well.
    wchar_t locale[64] = {};
    GetEnvironmentVariableW(L"LC_ALL", locale, static_cast<DWORD>(std::size(locale)));
    return locale;
}

// The status page's tab control sits in the page's client area, as does every control, so
// their offsets from its edge, scaled by the progress bar (161 units wide in every template),
// are the template's dialog units. A mirrored page counts from its right edge.
int DialogUnitsFromLeadingEdge(HWND page, int id) {
    const RECT client = ClientRectangle(page);
    const RECT bar = WindowRectangle(DescendantById(page, IDC_BATTERY_BAR));
    const RECT control = WindowRectangle(DescendantById(page, id));
    const bool mirrored = (WindowExStyle(page) & WS_EX_LAYOUTRTL) != 0;
    const int offset = mirrored ? client.right - control.right : control.left - client.left;
    const double pixelsPerUnit = (bar.right - bar.left) / 161.0;
    return static_cast<int>(std::lround(offset / pixelsPerUnit));
}

StatusColumns ColumnsOf(HWND page) {
    return {DialogUnitsFromLeadingEdge(page, IDC_LABEL_STATUS),
            DialogUnitsFromLeadingEdge(page, IDC_STATE_TEXT),
            DialogUnitsFromLeadingEdge(page, IDC_LABEL_NAME),
            DialogUnitsFromLeadingEdge(page, IDC_NAME_TEXT)};
}

std::vector<int> ChildOrder(HWND page) {
    std::vector<int> ids;
    for (HWND child : Children(page)) ids.push_back(GetDlgCtrlID(child));
    return ids;
}

void ExpectColumns(HWND page, const StatusColumns& expected) {
    // Pixels round dialog units, so one unit either way is the same template.
    const StatusColumns shown = ColumnsOf(page);
    EXPECT_NEAR(shown.stateLabelX, expected.stateLabelX, 1);
    EXPECT_NEAR(shown.stateValueX, expected.stateValueX, 1);
    EXPECT_NEAR(shown.factLabelX, expected.factLabelX, 1);
    EXPECT_NEAR(shown.factValueX, expected.factValueX, 1);
}

// Kestrum started from `program`, with its sheet opened by the battery key.
class KestrumSheet {
public:
    explicit KestrumSheet(const std::filesystem::path& program)
        : m_kestrum(std::make_unique<Debuggee>(LaunchOptions{program, {}})) {
        if (!m_kestrum->Started()) return;
        // The frame's title is the same in every language.
        if (WaitForRunningFrame(*m_kestrum) == nullptr) return;
        // Under a loaded Wine one release has been seen to open nothing; a second release while
        // the first sheet is still opening is consumed by the busy sheet, so one retry is
        // harmless either way.
        for (int attempt = 0; attempt < 2 && m_sheet == nullptr; ++attempt) {
            PressBatteryKey();
            m_sheet = WaitForShownSheet(m_kestrum->ProcessId(), Milliseconds{5000});
        }
    }

    HWND Sheet() const { return m_sheet; }
    HWND ShowPage(int index) const {
        if (!SelectSheetPage(m_sheet, index)) return nullptr;
        return SheetCurrentPage(m_sheet);
    }
    std::vector<std::u16string> Tabs() const { return TabItemTexts(SheetTabControl(m_sheet)); }

    // OK ends the sheet, the close event the program; nothing may be left over.
    void Close() {
        EXPECT_TRUE(Click(DescendantById(m_sheet, IDOK)));
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(m_sheet); }));
        EXPECT_TRUE(SignalCloseEvent());
        EXPECT_EQ(m_kestrum->WaitForExit(), 0u);
        EXPECT_EQ(m_kestrum->UnhandledException(), std::nullopt);
    }

private:
    std::unique_ptr<Debuggee> m_kestrum;
    HWND m_sheet = nullptr;
};

struct LanguageCase {
    const wchar_t* locale;
    // The language the run resolves to, as the screenshots are named.
    const wchar_t* language;
    std::u16string statusTab, lifeTab, chargeGroup, chargeCheck;
    std::u16string hoursUnit, minutesUnit;
    StatusColumns status;
    bool mirrored;
    // The installed face whose glyphs the run's script needs; none for Latin and Cyrillic.
    const wchar_t* glyphs;
};

constexpr wchar_t kArabicGlyphs[] = L"DejaVuSans.ttf,DejaVu Sans";
constexpr wchar_t kEastAsianGlyphs[] = L"wqy-microhei.ttc,WenQuanYi Micro Hei";

const std::u16string kEnglishTabs[] = {u"Battery Status", u"Battery Life"};

const LanguageCase kLanguages[] = {
    {L"ar_SA.UTF-8", L"0001", u"حالة البطارية", u"عمر البطارية", u"إيقاف عمل الشحن",
     u"إيقاف عمل شحن البطارية", u"ساعة", u"دقيقة", kEnglishStatus, true, kArabicGlyphs},
    {L"de_DE.UTF-8", L"0007", u"Akkustatus", u"Haltbarkeit des Akkus", u"Laden deaktivieren",
     u"Laden des Akkus deaktivieren", u"Std. ", u"Min", kGermanStatus, false, nullptr},
    {L"es_MX.UTF-8", L"000a", u"Estado de la batería", u"Duración de vida de la batería",
     u"Desactivar carga", u"Desactivar carga de la batería", u"hr", u"min", kWiderStatus, false,
     nullptr},
    {L"fr_FR.UTF-8", L"000c", u"État de la batterie", u"Durée de vie de la batterie",
     u"Désactiver le chargement", u"Désactiver le chargement de la batterie", u"h", u"min",
     kEnglishStatus, false, nullptr},
    {L"it_IT.UTF-8", L"0010", u"Stato batteria", u"Durata batteria", u"Disabilita carica",
     u"Disabilita carica batteria", u"h", u"min", kWiderStatus, false, nullptr},
    {L"pt_BR.UTF-8", L"0016", u"Status da bateria", u"Vida da bateria", u"Desativar o carregamento",
     u"Desativar o carregamento da bateria", u"h", u"min", kPortugueseStatus, false, nullptr},
    {L"zh_TW.UTF-8", L"0404", u"電池狀態", u"電池壽命", u"充電停用", u"電池充電停用", u"小時",
     u"分", kEnglishStatus, false, kEastAsianGlyphs},
    {L"cs_CZ.UTF-8", L"0405", u"Stav baterie", u"Životnost baterie", u"Zakázat nabíjení",
     u"Zakázat nabíjení baterie", u"hod", u"min", kEnglishStatus, false, nullptr},
    {L"en_US.UTF-8", L"0409", kEnglishTabs[0], kEnglishTabs[1], u"Disable Charging",
     u"Disable battery charging", u"hr", u"min", kEnglishStatus, false, nullptr},
    // Wine gives Spain's modern sort (0x0C0A), which reads the neutral Spanish texts; no
    // LC_ALL gives the traditional sort 0x040A.
    {L"es_ES.UTF-8", L"0c0a", u"Estado de la batería", u"Duración de vida de la batería",
     u"Desactivar carga", u"Desactivar carga de la batería", u"hr", u"min", kWiderStatus, false,
     nullptr},
    {L"hu_HU.UTF-8", L"040e", u"Akkumulátor állapot", u"Akkumulátor élettartam",
     u"Töltés letiltása", u"Akkumulátortöltés letiltása", u"óra", u"perc", kHungarianStatus, false,
     nullptr},
    {L"ja_JP.UTF-8", L"0411", u"バッテリステータス", u"バッテリ駆動時間", u"充電を無効にする",
     u"バッテリの充電を無効にする", u"時", u"分", kEnglishStatus, false, kEastAsianGlyphs},
    {L"ko_KR.UTF-8", L"0412", u"배터리 상태", u"배터리 수명", u"충전 비활성화",
     u"배터리 충전 비활성화", u"시간", u"분", kEnglishStatus, false, kEastAsianGlyphs},
    {L"pl_PL.UTF-8", L"0415", u"Stan akumulatora", u"Żywotność akumulatora", u"Wyłącz ładowanie",
     u"Wyłącz ładowanie akumulatora", u"godz.", u"min.", kEnglishStatus, false, nullptr},
    {L"ru_RU.UTF-8", L"0419", u"Статус батареи", u"Время работы от батареи", u"Прекратить зарядку",
     u"Прекратить зарядку батареи", u"ч", u"мин", kWiderStatus, false, nullptr},
    {L"tr_TR.UTF-8", L"041f", u"Pil Durumu", u"Pil Ömrü", u"Şarjı Devre Dışı Bırak",
     u"Pil şarjını devre dışı bırak", u"saat", u"dakika", kEnglishStatus, false, nullptr},
    {L"zh_CN.UTF-8", L"0804", u"电池状态", u"电池寿命", u"禁用充电", u"禁用电池充电", u"小时",
     u"分钟", kEnglishStatus, false, kEastAsianGlyphs},
    // Languages Kestrum does not carry read English throughout.
    {L"nl_NL.UTF-8", L"0413", kEnglishTabs[0], kEnglishTabs[1], u"Disable Charging",
     u"Disable battery charging", u"hr", u"min", kEnglishStatus, false, nullptr},
    {L"zh_HK.UTF-8", L"0c04", kEnglishTabs[0], kEnglishTabs[1], u"Disable Charging",
     u"Disable battery charging", u"hr", u"min", kEnglishStatus, false, nullptr},
};

const LanguageCase* CaseOfThisRun() {
    const std::wstring locale = RunLocale();
    for (const LanguageCase& c : kLanguages) {
        if (locale == c.locale) return &c;
    }
    return nullptr;
}

class LanguagesTest : public testing::Test {
protected:
    void SetUp() override {
        ResetSharedSimulator();
        ASSERT_TRUE(SetOnBattery(kSecondsLeft, kPercent));
    }
};

TEST_F(LanguagesTest, SheetSpeaksTheLanguageOfTheRun) {
    const LanguageCase* c = CaseOfThisRun();
    ASSERT_NE(c, nullptr) << "no case for this run's LC_ALL";
    std::optional<FontLinks> links;
    if (c->glyphs != nullptr) {
        ASSERT_TRUE(links.emplace(c->glyphs).Applied());
    }
    KestrumSheet kestrum(ProgramBeside(L"Kestrum.exe"));
    ASSERT_NE(kestrum.Sheet(), nullptr);
    EXPECT_THAT(kestrum.Tabs(), ElementsAre(c->statusTab, c->lifeTab));
    const std::wstring name = std::wstring(L"language_") + c->language;

    HWND status = kestrum.ShowPage(0);
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(WindowText(DescendantById(status, IDC_TIME_TEXT)),
              u"2 " + c->hoursUnit + u" 05 " + c->minutesUnit);
    EXPECT_EQ(WindowText(DescendantById(status, IDC_PERCENT_TEXT)), u"50%");
    ExpectColumns(status, c->status);
    EXPECT_EQ((WindowExStyle(status) & WS_EX_LAYOUTRTL) != 0, c->mirrored);
    EXPECT_FALSE(SaveSettledScreenshot(kestrum.Sheet(), name + L"_status").empty());

    HWND life = kestrum.ShowPage(1);
    ASSERT_NE(life, nullptr);
    EXPECT_EQ(WindowText(DescendantById(life, IDC_CHARGE_GROUP)), c->chargeGroup);
    EXPECT_EQ(WindowText(DescendantById(life, IDC_DISABLE_CHARGING)), c->chargeCheck);
    EXPECT_EQ(ChildOrder(life), c->mirrored ? kArabicLifeOrder : kEnglishLifeOrder);
    EXPECT_EQ((WindowExStyle(life) & WS_EX_LAYOUTRTL) != 0, c->mirrored);
    EXPECT_FALSE(SaveSettledScreenshot(kestrum.Sheet(), name + L"_life").empty());
    kestrum.Close();
}

// A folder of its own holding Kestrum, the controller library and the marker library under
// the name a German user interface looks for; removed with the test.
class LibraryFolder {
public:
    LibraryFolder() {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        m_folder = std::filesystem::path(temp) /
                   (L"kestrum-language-" + std::to_wstring(GetCurrentProcessId()));
        std::filesystem::create_directories(m_folder);
        const auto copy = std::filesystem::copy_options::overwrite_existing;
        std::filesystem::copy_file(ProgramBeside(L"Kestrum.exe"), Program(), copy);
        std::filesystem::copy_file(ProgramBeside(L"Qelt.dll"), m_folder / L"Qelt.dll", copy);
        std::filesystem::copy_file(ProgramBeside(L"e2e_marker_language.dll"),
                                   m_folder / L"KestrumDEU.dll", copy);
    }
    ~LibraryFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }
    LibraryFolder(const LibraryFolder&) = delete;
    LibraryFolder& operator=(const LibraryFolder&) = delete;

    std::filesystem::path Program() const { return m_folder / L"Kestrum.exe"; }

private:
    std::filesystem::path m_folder;
};

int MagentaPixels(HWND picture) {
    const Picture shown = CaptureScreen(WindowRectangle(picture));
    int magenta = 0;
    for (std::uint32_t pixel : shown.pixels) magenta += pixel == 0xFF00FF;
    return magenta;
}

TEST_F(LanguagesTest, LibraryBesideTheProgramTakesOverEveryResource) {
    LibraryFolder folder;
    KestrumSheet kestrum(folder.Program());
    ASSERT_NE(kestrum.Sheet(), nullptr);
    EXPECT_THAT(kestrum.Tabs(), ElementsAre(u"Marker status tab", u"Marker life tab"));

    HWND status = kestrum.ShowPage(0);
    ASSERT_NE(status, nullptr);
    const struct {
        int id;
        std::u16string text;
    } labels[] = {
        {IDC_LABEL_STATUS, u"Marker state:"},
        {IDC_LABEL_TIME, u"Marker remaining:"},
        {IDC_LABEL_NAME, u"Marker name:"},
        {IDC_LABEL_IDENTIFIER, u"Marker identifier:"},
        {IDC_LABEL_MANUFACTURER, u"Marker maker:"},
        {IDC_LABEL_CHEMISTRY, u"Marker chemistry:"},
        {IDC_TIME_TEXT, u"2 mh 05 mm"},
    };
    for (const auto& label : labels) {
        EXPECT_EQ(WindowText(DescendantById(status, label.id)), label.text) << label.id;
    }
    ExpectColumns(status, kMarkerStatus);
    HWND picture = DescendantById(status, IDC_STATUS_PICTURE);
    const RECT shown = WindowRectangle(picture);
    EXPECT_EQ(shown.right - shown.left, 8);
    EXPECT_EQ(shown.bottom - shown.top, 4);
    // Read off the screen, so only once Wine has painted the page.
    int magenta = 0;
    WaitUntil([&] { return (magenta = MagentaPixels(picture)) == 8 * 4; }, Milliseconds{3000});
    EXPECT_EQ(magenta, 8 * 4);
    EXPECT_FALSE(SaveSettledScreenshot(kestrum.Sheet(), L"language_library_status").empty());

    HWND life = kestrum.ShowPage(1);
    ASSERT_NE(life, nullptr);
    EXPECT_EQ(ChildOrder(life), kMarkerLifeOrder);
    EXPECT_EQ(WindowText(DescendantById(life, IDC_DISABLE_CHARGING)), u"Marker check");
    EXPECT_EQ(WindowText(DescendantById(life, IDC_CHARGE_NOTE)), u"Marker note");
    kestrum.Close();
}

}  // namespace
}  // namespace e2e
