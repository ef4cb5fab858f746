// The seventeen string tables as compiled into the product.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "battery/battery_ioctl.h"
#include "battery/refresh_battery.h"
#include "common/fixed_text.h"
#include "resources/resource.h"
#include "tests/host/fakes.h"

namespace {

constexpr std::uint16_t kStringType = 6;
constexpr std::uint16_t kEnglish = 0x0409;
constexpr std::uint16_t kLanguages[] = {0x0001, 0x0007, 0x000A, 0x000C, 0x0010, 0x0016,
                                        0x0404, 0x0405, 0x0409, 0x040A, 0x040E, 0x0411,
                                        0x0412, 0x0415, 0x0419, 0x041F, 0x0804};

std::vector<std::uint16_t> OwnIds() {
    std::vector<std::uint16_t> ids = {100, 101};
    for (std::uint16_t id = 127; id <= 147; ++id) ids.push_back(id);
    for (std::uint16_t id = 150; id <= 158; ++id) ids.push_back(id);
    return ids;
}

std::vector<std::uint16_t> EmptyIds() {
    std::vector<std::uint16_t> ids = {96, 97, 98, 99, 148, 149, 159};
    for (std::uint16_t id = 102; id <= 126; ++id) ids.push_back(id);
    return ids;
}

class LanguageTableTest : public ::testing::TestWithParam<std::uint16_t> {
protected:
    std::u16string Text(std::uint16_t id) const { return LoadText(strings, id); }
    std::u16string English(std::uint16_t id) const { return LoadText(EnglishStrings(), id); }

    BatterySnapshot Refresh(std::uint8_t acLine, std::uint32_t powerState, std::uint8_t percent,
                            std::uint32_t seconds) const {
        ScriptedPower power;
        power.status = {acLine, 1, percent, seconds};
        ScriptedBattery battery;
        battery.powerState = powerState;
        ScriptedController ec;
        RecordingDebugSink debug;
        BatterySnapshot snapshot;
        EXPECT_TRUE(RefreshBattery(snapshot, {power, battery, ec, strings, debug}));
        return snapshot;
    }

    ResStringBlocks blocks{ProductResources(), GetParam()};
    BlockStringTable strings{blocks};
};

TEST_P(LanguageTableTest, CarriesEveryOwnTextAndNoneBetween) {
    for (std::uint16_t block = 7; block <= 10; ++block) {
        EXPECT_NE(ProductResources().Find(kStringType, block, GetParam()), nullptr) << block;
    }
    for (std::uint16_t id : OwnIds()) EXPECT_FALSE(Text(id).empty()) << id;
    for (std::uint16_t id : EmptyIds()) {
        std::u16string text = u"kept";
        EXPECT_FALSE(strings.Load(id, text)) << id;
    }
}

TEST_P(LanguageTableTest, SharedTextsAreTheSameInEveryLanguage) {
    EXPECT_EQ(Text(IDP_OLE_INIT_FAILED), English(IDP_OLE_INIT_FAILED));
    EXPECT_EQ(Text(IDS_SHEET_CAPTION), u"Kestrum");
    EXPECT_EQ(Text(IDR_MAINFRAME), u"Kestrum");
    EXPECT_EQ(Text(IDS_BRAND), u"Varn");
    // The framework's texts: every English block from the application title on, byte for byte.
    for (const ResEntry& entry : ProductResources().Entries()) {
        if (entry.type != ResId::Ordinal(kStringType) || entry.language != kEnglish) continue;
        const std::uint16_t block = *entry.name.ordinal;
        if (block < StringBlockNumber(AFX_IDS_APP_TITLE)) continue;
        const ResEntry* same = ProductResources().Find(kStringType, block, GetParam());
        ASSERT_NE(same, nullptr) << block;
        EXPECT_TRUE(std::ranges::equal(same->data, entry.data)) << block;
    }
}

TEST_P(LanguageTableTest, TextsFitTheFieldsThatReceiveThem) {
    for (std::uint16_t id : {IDS_BT_NOT_IDENTIFIED, IDS_HEALTH_NORMAL, IDS_HEALTH_DECREASING,
                             IDS_HEALTH_END_OF_LIFE, IDS_HEALTH_REPLACE}) {
        EXPECT_LT(Text(id).size(), std::size(BatterySnapshot{}.healthText)) << id;
    }

    const BatterySnapshot unknown = Refresh(1, battery_ioctl::kPowerOnLine, 255, 0xFFFFFFFF);
    EXPECT_EQ(FieldText(unknown.percentText), Text(IDS_PERCENT_UNKNOWN));
    EXPECT_EQ(FieldText(unknown.stateText), Text(IDS_STATE_IDLE));

    // The widest time below five-digit hours.
    const BatterySnapshot longest =
        Refresh(0, battery_ioctl::kDischarging, 50, 9999 * 3600 + 59 * 60);
    EXPECT_EQ(FieldText(longest.timeText),
              u"9999 " + Text(IDS_UNIT_HOURS) + u" 59 " + Text(IDS_UNIT_MINUTES));
    EXPECT_EQ(FieldText(Refresh(0, battery_ioctl::kDischarging, 50, 0).timeText),
              u"00 " + Text(IDS_UNIT_MINUTES));

    for (std::uint32_t word : {battery_ioctl::kCharging, battery_ioctl::kDischarging}) {
        EXPECT_EQ(
            FieldText(Refresh(0, word, 50, 60).stateText),
            Text(word == battery_ioctl::kCharging ? IDS_STATE_CHARGING : IDS_STATE_DISCHARGING));
    }
    EXPECT_EQ(FieldText(Refresh(1, battery_ioctl::kCharging, 50, 60).stateText),
              Text(IDS_STATE_CHARGING));
}

// The critical state composed with the charging or discharging word: four languages are known
// to outgrow the field, and there the text is cut at the field's width.
TEST_P(LanguageTableTest, CriticalCompositeFitsOrIsCutAtTheFieldsWidth) {
    const struct {
        std::uint16_t language;
        std::uint16_t word;
    } overflowing[] = {
        {0x000C, IDS_STATE_CHARGING}, {0x0010, IDS_STATE_DISCHARGING},
        {0x0016, IDS_STATE_CHARGING}, {0x0016, IDS_STATE_DISCHARGING},
        {0x0405, IDS_STATE_CHARGING}, {0x0405, IDS_STATE_DISCHARGING},
    };
    constexpr std::size_t kWidth = std::size(BatterySnapshot{}.stateText) - 1;
    for (std::uint16_t word : {IDS_STATE_CHARGING, IDS_STATE_DISCHARGING}) {
        const std::u16string composite = Text(IDS_STATE_CRITICAL) + u" - " + Text(word);
        const bool overflows = std::ranges::any_of(
            overflowing, [&](const auto& o) { return o.language == GetParam() && o.word == word; });
        EXPECT_EQ(composite.size() > kWidth, overflows) << word << ": " << composite.size();

        const std::uint32_t state =
            battery_ioctl::kCritical |
            (word == IDS_STATE_CHARGING ? battery_ioctl::kCharging : battery_ioctl::kDischarging);
        EXPECT_EQ(FieldText(Refresh(0, state, 3, 600).stateText), composite.substr(0, kWidth))
            << word;
    }
}

std::string LanguageName(const ::testing::TestParamInfo<std::uint16_t>& info) {
    char name[8];
    std::snprintf(name, sizeof name, "L%04X", unsigned{info.param});
    return name;
}

INSTANTIATE_TEST_SUITE_P(Languages, LanguageTableTest, ::testing::ValuesIn(kLanguages),
                         LanguageName);

// Every text that has words is translated, and languages with a script of their own write it
// in that script.
TEST(LanguageTablesTest, TranslationsAreNotLeftInEnglish) {
    const struct {
        std::uint16_t language;
        // A block of the script's letters (for Japanese the kana and the ideographs together);
        // 0 for Latin scripts.
        char16_t first, last;
    } languages[] = {
        {0x0001, u'\u0621', u'\u064A'},
        {0x0007, 0, 0},
        {0x000A, 0, 0},
        {0x000C, 0, 0},
        {0x0010, 0, 0},
        {0x0016, 0, 0},
        {0x0404, u'\u4E00', u'\u9FFF'},
        {0x0405, 0, 0},
        {0x040A, 0, 0},
        {0x040E, 0, 0},
        {0x0411, u'\u3040', u'\u9FFF'},
        {0x0412, u'\uAC00', u'\uD7A3'},
        {0x0415, 0, 0},
        {0x0419, u'\u0410', u'\u044F'},
        {0x041F, 0, 0},
        {0x0804, u'\u4E00', u'\u9FFF'},
    };
    std::vector<std::uint16_t> translated = {IDS_BT_NOT_IDENTIFIED, IDS_PERCENT_UNKNOWN};
    for (std::uint16_t id = 129; id <= 147; ++id) translated.push_back(id);
    for (std::uint16_t id = 150; id <= 153; ++id) translated.push_back(id);
    for (const auto& l : languages) {
        const ResStringBlocks blocks(ProductResources(), l.language);
        const BlockStringTable strings(blocks);
        for (std::uint16_t id : translated) {
            const std::u16string text = LoadText(strings, id);
            EXPECT_NE(text, LoadText(EnglishStrings(), id))
                << std::hex << l.language << std::dec << " " << id;
            if (l.first == 0) continue;
            EXPECT_TRUE(
                std::ranges::any_of(text, [&](char16_t c) { return c >= l.first && c <= l.last; }))
                << std::hex << l.language << std::dec << " " << id;
        }
    }
}

// The tab titles, the life page's short texts, the charge-state words, the time units and the
// missing-percentage text of each language, exactly as shipped.
TEST(LanguageTablesTest, TellingTextsAreExact) {
    static constexpr std::uint16_t kIds[] = {
        IDS_STATUS_PAGE_TITLE, IDS_LIFE_PAGE_TITLE, IDS_CHARGE_GROUP,   IDS_CHARGE_CHECK,
        IDS_STATE_IDLE,        IDS_STATE_CRITICAL,  IDS_STATE_CHARGING, IDS_STATE_DISCHARGING,
        IDS_STATE_NO_BATTERY,  IDS_UNIT_HOURS,      IDS_UNIT_MINUTES,   IDS_PERCENT_UNKNOWN};
    const struct {
        std::uint16_t language;
        std::u16string texts[std::size(kIds)];
    } rows[] = {
        {0x0001,
         {u"حالة البطارية", u"عمر البطارية", u"إيقاف عمل الشحن", u"إيقاف عمل شحن البطارية",
          u"خاملة", u"منخفضة للغاية", u"يتم الشحن", u"تفريغ الشحن", u"لا توجد بطارية", u"ساعة",
          u"دقيقة", u"غير معروف"}},
        {0x0007,
         {u"Akkustatus", u"Haltbarkeit des Akkus", u"Laden deaktivieren",
          u"Laden des Akkus deaktivieren", u"Ruhezustand", u"Kritisch", u"Laden", u"Entladen",
          u"Kein Akku", u"Std. ", u"Min", u"Unbekannt"}},
        {0x000A,
         {u"Estado de la batería", u"Duración de vida de la batería", u"Desactivar carga",
          u"Desactivar carga de la batería", u"Inactiva", u"Crítico", u"En carga", u"En descarga",
          u"Sin batería", u"hr", u"min", u"Desconocido"}},
        {0x000C,
         {u"État de la batterie", u"Durée de vie de la batterie", u"Désactiver le chargement",
          u"Désactiver le chargement de la batterie", u"Inactive", u"Critique",
          u"En cours de chargement", u"Déchargement", u"Pas de batterie", u"h", u"min",
          u"Inconnu"}},
        {0x0010,
         {u"Stato batteria", u"Durata batteria", u"Disabilita carica",
          u"Disabilita carica batteria", u"Inattivo", u"Livello critico", u"In carica",
          u"Batteria in esaurimento", u"Batteria non rilevata", u"h", u"min", u"Sconosciuto"}},
        {0x0016,
         {u"Status da bateria", u"Vida da bateria", u"Desativar o carregamento",
          u"Desativar o carregamento da bateria", u"Inativa", u"Carga criticamente baixa",
          u"Carregando", u"Descarregando", u"Bateria ausente", u"h", u"min", u"Desconhecido"}},
        {0x0404,
         {u"電池狀態", u"電池壽命", u"充電停用", u"電池充電停用", u"閒置", u"嚴重不足", u"充電中",
          u"放電中", u"沒有電池", u"小時", u"分", u"未知"}},
        {0x0405,
         {u"Stav baterie", u"Životnost baterie", u"Zakázat nabíjení", u"Zakázat nabíjení baterie",
          u"Nečinná", u"Kriticky málo nabitá", u"Nabíjí se", u"Vybíjí se", u"Žádná baterie", u"hod",
          u"min", u"Neznámý"}},
        {0x040A,
         {u"Estado de la batería", u"Vida útil de la batería", u"Desactivar la carga",
          u"Desactivar la carga de la batería", u"Inactivo", u"Crítico", u"Cargando",
          u"Descargando", u"Sin batería", u"h", u"min", u"Desconocido"}},
        {0x040E,
         {u"Akkumulátor állapot", u"Akkumulátor élettartam", u"Töltés letiltása",
          u"Akkumulátortöltés letiltása", u"Üzemen kívül", u"Kritikus", u"Töltés", u"Kisütés",
          u"Nincs akkumulátor", u"óra", u"perc", u"Ismeretlen"}},
        {0x0411,
         {u"バッテリステータス", u"バッテリ駆動時間", u"充電を無効にする",
          u"バッテリの充電を無効にする", u"アイドル", u"限界", u"充電中", u"放電中",
          u"バッテリなし", u"時", u"分", u"不明"}},
        {0x0412,
         {u"배터리 상태", u"배터리 수명", u"충전 비활성화", u"배터리 충전 비활성화", u"유휴",
          u"치명적", u"충전", u"방전", u"배터리 없음", u"시간", u"분", u"알 수 없음"}},
        {0x0415,
         {u"Stan akumulatora", u"Żywotność akumulatora", u"Wyłącz ładowanie",
          u"Wyłącz ładowanie akumulatora", u"Bezczynny", u"Krytyczny", u"Ładuje się",
          u"Rozładowuje się", u"Brak akumulatora", u"godz.", u"min.", u"Nieznane"}},
        {0x0419,
         {u"Статус батареи", u"Время работы от батареи", u"Прекратить зарядку",
          u"Прекратить зарядку батареи", u"Ожидание", u"Критический", u"Зарядка", u"Разрядка",
          u"Батарея разряжена", u"ч", u"мин", u"Неизвестно"}},
        {0x041F,
         {u"Pil Durumu", u"Pil Ömrü", u"Şarjı Devre Dışı Bırak", u"Pil şarjını devre dışı bırak",
          u"Boşta", u"Kritik", u"Şarj Oluyor", u"Boşalıyor", u"Pil Yok", u"saat", u"dakika",
          u"Bilinmiyor"}},
        {0x0804,
         {u"电池状态", u"电池寿命", u"禁用充电", u"禁用电池充电", u"空闲", u"临界", u"正在充电",
          u"正在放电", u"无电池", u"小时", u"分钟", u"未知"}},
    };
    for (const auto& row : rows) {
        const ResStringBlocks blocks(ProductResources(), row.language);
        const BlockStringTable strings(blocks);
        for (std::size_t i = 0; i < std::size(kIds); ++i) {
            EXPECT_EQ(LoadText(strings, kIds[i]), row.texts[i])
                << std::hex << row.language << std::dec << " id " << kIds[i];
        }
    }
}

TEST(LanguageTablesTest, OnlyTraditionalChineseCarriesTheFrameworkMessages) {
    constexpr std::uint16_t kFirst = 61440, kLast = 62179;
    std::size_t blocks = 0;
    for (const ResEntry& entry : ProductResources().Entries()) {
        if (entry.type != ResId::Ordinal(kStringType)) continue;
        const std::uint16_t block = *entry.name.ordinal;
        if (block < StringBlockNumber(kFirst) || block > StringBlockNumber(kLast)) continue;
        EXPECT_EQ(entry.language, 0x0404) << block;
        ++blocks;
    }
    EXPECT_GT(blocks, 0u);

    const ResStringBlocks chinese(ProductResources(), 0x0404);
    const BlockStringTable strings(chinese);
    std::size_t texts = 0;
    for (std::uint32_t id = kFirst; id <= StringBlockNumber(kLast) * 16u - 1; ++id) {
        const std::u16string text = LoadText(strings, static_cast<std::uint16_t>(id));
        if (text.empty()) continue;
        EXPECT_LE(id, kLast);
        // Written in English, like the framework's other texts.
        EXPECT_TRUE(std::ranges::all_of(text, [](char16_t c) { return c < 0x80; })) << id;
        ++texts;
    }
    EXPECT_GE(texts, 20u);
}

}  // namespace
