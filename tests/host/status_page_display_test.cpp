#include "ui/status_page_display.h"

#include <gtest/gtest.h>

#include "battery/refresh_battery.h"
#include "common/fixed_text.h"
#include "tests/host/fakes.h"
#include "tests/host/table_controls.h"

namespace {

constexpr int kValueIds[] = {IDC_PERCENT_TEXT,      IDC_NAME_TEXT,      IDC_IDENTIFIER_TEXT,
                             IDC_MANUFACTURER_TEXT, IDC_CHEMISTRY_TEXT, IDC_HEALTH_TEXT};

// Stands for the loaded bitmap of a resource: the handle is the resource number.
PictureHandle PictureOf(std::uint16_t bitmapId) {
    return reinterpret_cast<PictureHandle>(static_cast<std::uintptr_t>(bitmapId));
}

StatusPictures LoadedPictures() {
    StatusPictures pictures{};
    for (std::size_t kind = 0; kind < pictures.size(); ++kind) {
        pictures[kind] = PictureOf(kStatusPictureIds[kind]);
    }
    return pictures;
}

BatterySnapshot Snapshot(std::int32_t kind, std::u16string_view time) {
    BatterySnapshot snapshot;
    snapshot.percent = 87;
    snapshot.powerKind = kind;
    CopyText(snapshot.percentText, u"87%");
    CopyText(snapshot.timeText, time);
    CopyText(snapshot.stateText, u"Discharging");
    CopyText(snapshot.deviceName, u"Bat 1");
    CopyText(snapshot.uniqueId, u"ID42");
    CopyText(snapshot.manufacturer, u"Varn");
    CopyText(snapshot.chemistry, u"LION");
    CopyText(snapshot.healthText, u"Operating normally.");
    return snapshot;
}

TEST(StatusPageDisplayTest, InitializationWritesTheLabelsAndTheBarRange) {
    TableControls controls(IDD_STATUS_PAGE);
    InitializeStatusPage(EnglishStrings(), controls);

    const struct {
        int control;
        std::u16string text;
    } labels[] = {
        {IDC_LABEL_STATUS, u"Battery Status:"},     {IDC_LABEL_TIME, u"Battery Remaining:"},
        {IDC_LABEL_NAME, u"Battery Name:"},         {IDC_LABEL_IDENTIFIER, u"Battery Identifier:"},
        {IDC_LABEL_MANUFACTURER, u"Manufacturer:"}, {IDC_LABEL_CHEMISTRY, u"Battery Chemistry:"},
    };
    for (const auto& label : labels) {
        EXPECT_EQ(controls.At(label.control).text, label.text) << label.control;
    }
    EXPECT_EQ(controls.At(IDC_BATTERY_BAR).barLower, 0);
    EXPECT_EQ(controls.At(IDC_BATTERY_BAR).barUpper, 100);
    for (int value : kValueIds) EXPECT_EQ(controls.At(value).textWrites, 0) << value;
    EXPECT_EQ(controls.At(IDC_TIME_TEXT).textWrites, 0);
}

TEST(StatusPageDisplayTest, EachPowerKindShowsItsFieldsAndPicture) {
    const struct {
        std::int32_t kind;
        std::u16string time;
        bool valuesShown;
        bool timeShown;
        std::uint16_t picture;  // 0: the picture is not touched
    } cases[] = {
        {PowerKindMainsCharging, u"1 hr 00 min", true, false, 135},
        {PowerKindMainsChargeOff, u"NULL", true, false, 134},
        {PowerKindMainsNoBattery, u"2 hr 05 min", false, false, 133},
        {PowerKindOnBattery, u"2 hr 05 min", true, true, 137},
        {PowerKindOnBattery, u"NULL", true, false, 137},
        // Only the exact marker means "no estimate".
        {PowerKindOnBattery, u"null", true, true, 137},
        {PowerKindOnBattery, u"NULL ", true, true, 137},
        {PowerKindOnBattery, u"NUL", true, true, 137},
        {PowerKindOnBattery, u"", true, true, 137},
        {PowerKindUnknown, u"2 hr 05 min", true, false, 0},
        {5, u"2 hr 05 min", true, false, 0},
        {-1, u"2 hr 05 min", true, false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "kind " << c.kind);
        TableControls controls(IDD_STATUS_PAGE);
        ShowSnapshot(Snapshot(c.kind, c.time), LoadedPictures(), controls);

        EXPECT_EQ(controls.At(IDC_BATTERY_BAR).barPosition, 87);
        EXPECT_EQ(controls.At(IDC_STATE_TEXT).text, u"Discharging");
        for (int value : kValueIds) EXPECT_EQ(controls.At(value).visible, c.valuesShown) << value;
        if (c.valuesShown) {
            EXPECT_EQ(controls.At(IDC_PERCENT_TEXT).text, u"87%");
            EXPECT_EQ(controls.At(IDC_NAME_TEXT).text, u"Bat 1");
            EXPECT_EQ(controls.At(IDC_IDENTIFIER_TEXT).text, u"ID42");
            EXPECT_EQ(controls.At(IDC_MANUFACTURER_TEXT).text, u"Varn");
            EXPECT_EQ(controls.At(IDC_CHEMISTRY_TEXT).text, u"LION");
            EXPECT_EQ(controls.At(IDC_HEALTH_TEXT).text, u"Operating normally.");
        } else {
            // Hidden, and the template's texts are still there.
            EXPECT_EQ(controls.At(IDC_NAME_TEXT).text, u"Name");
            for (int value : kValueIds) EXPECT_EQ(controls.At(value).textWrites, 0) << value;
        }
        EXPECT_EQ(controls.At(IDC_LABEL_TIME).visible, c.timeShown);
        EXPECT_EQ(controls.At(IDC_TIME_TEXT).visible, c.timeShown);
        EXPECT_EQ(controls.At(IDC_TIME_TEXT).text, c.timeShown ? c.time : u"Time");
        // Labels are never hidden.
        for (int label : {IDC_LABEL_STATUS, IDC_LABEL_NAME, IDC_LABEL_IDENTIFIER,
                          IDC_LABEL_MANUFACTURER, IDC_LABEL_CHEMISTRY}) {
            EXPECT_TRUE(controls.At(label).visible) << label;
        }
        const ControlState& picture = controls.At(IDC_STATUS_PICTURE);
        EXPECT_EQ(picture.pictureWrites, c.picture != 0 ? 1 : 0);
        EXPECT_EQ(picture.picture, c.picture != 0 ? PictureOf(c.picture) : nullptr);
    }
}

class StatusPageRefreshTest : public ::testing::Test {
protected:
    bool Refresh() {
        return RefreshStatusPage(snapshot, {power, battery, ec, EnglishStrings(), debug},
                                 LoadedPictures(), controls);
    }

    ScriptedPower power;
    ScriptedBattery battery;
    ScriptedController ec;
    RecordingDebugSink debug;
    BatterySnapshot snapshot;
    TableControls controls{IDD_STATUS_PAGE};
};

TEST_F(StatusPageRefreshTest, AnUnknownPercentReachesTheBarUnchanged) {
    power.status = {1, 1, 255, 0xFFFFFFFF};
    ASSERT_TRUE(Refresh());
    EXPECT_EQ(controls.At(IDC_BATTERY_BAR).barPosition, 255);
    EXPECT_EQ(controls.At(IDC_PERCENT_TEXT).text, u"Unknown");
}

TEST_F(StatusPageRefreshTest, LosingTheBatteryHidesItsFactsAndRegainingItShowsNewOnes) {
    power.status = {0, 1, 50, 7530};
    ASSERT_TRUE(Refresh());
    EXPECT_TRUE(controls.At(IDC_TIME_TEXT).visible);
    EXPECT_EQ(controls.At(IDC_TIME_TEXT).text, u"2 hr 05 min");

    power.status = {1, 128, 255, 0xFFFFFFFF};
    battery.texts[battery_ioctl::kDeviceName] = u"Bat 2";
    ASSERT_TRUE(Refresh());
    EXPECT_FALSE(controls.At(IDC_NAME_TEXT).visible);
    EXPECT_EQ(controls.At(IDC_NAME_TEXT).text, u"Bat 1");
    EXPECT_FALSE(controls.At(IDC_TIME_TEXT).visible);
    EXPECT_EQ(controls.At(IDC_STATE_TEXT).text, u"No Battery");
    EXPECT_EQ(controls.At(IDC_STATUS_PICTURE).picture, PictureOf(133));

    power.status = {0, 1, 49, 3600};
    ASSERT_TRUE(Refresh());
    EXPECT_TRUE(controls.At(IDC_NAME_TEXT).visible);
    EXPECT_EQ(controls.At(IDC_NAME_TEXT).text, u"Bat 2");
    EXPECT_EQ(controls.At(IDC_PERCENT_TEXT).text, u"49%");
    EXPECT_EQ(controls.At(IDC_TIME_TEXT).text, u"1 hr 00 min");
    EXPECT_EQ(controls.At(IDC_STATUS_PICTURE).picture, PictureOf(137));
}

TEST_F(StatusPageRefreshTest, AFailedRefreshChangesNothingOnThePage) {
    power.readable = false;
    EXPECT_FALSE(Refresh());
    // The very first refresh failed: the template's texts, the bar at 0, no picture.
    EXPECT_EQ(controls.At(IDC_STATE_TEXT).text, u"Status");
    EXPECT_EQ(controls.At(IDC_BATTERY_BAR).barPosition, 0);
    EXPECT_EQ(controls.At(IDC_STATUS_PICTURE).pictureWrites, 0);

    power.readable = true;
    power.status = {0, 1, 50, 7530};
    ASSERT_TRUE(Refresh());
    const ControlState state = controls.At(IDC_STATE_TEXT);
    const ControlState time = controls.At(IDC_TIME_TEXT);

    power.readable = false;
    EXPECT_FALSE(Refresh());
    EXPECT_EQ(controls.At(IDC_STATE_TEXT).textWrites, state.textWrites);
    EXPECT_EQ(controls.At(IDC_TIME_TEXT).textWrites, time.textWrites);
    EXPECT_TRUE(controls.At(IDC_TIME_TEXT).visible);
    EXPECT_EQ(controls.At(IDC_BATTERY_BAR).barPosition, 50);
    EXPECT_EQ(controls.At(IDC_STATUS_PICTURE).pictureWrites, 1);
}

}  // namespace
