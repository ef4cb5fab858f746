#include "app/hotkey_filter.h"

#include <gtest/gtest.h>

namespace {

constexpr std::uint32_t WM_KEYDOWN = 0x0100;
constexpr std::uint32_t WM_SYSKEYDOWN = 0x0104;

struct FilterCase {
    const char* what;
    std::uint32_t message;
    std::uintptr_t wParam;
    std::intptr_t lParam;
    PreFilterStep expected;
};

TEST(HotkeyFilterTest, ClassifiesEachMessage) {
    const FilterCase cases[] = {
        {"battery key released", WM_APP_HOTKEY, 0x81, 7, PreFilterStep::BatteryKey},
        {"injected release, Alt held", WM_APP_HOTKEY, 0xB1, 7, PreFilterStep::BatteryKey},
        {"battery key pressed", WM_APP_HOTKEY, 0x01, 7, PreFilterStep::PassToBase},
        {"main-keyboard key 7 released", WM_APP_HOTKEY, 0x80, 7, PreFilterStep::PassToBase},
        {"other extended key released", WM_APP_HOTKEY, 0x81, 8, PreFilterStep::PassToBase},
        {"scan code with high bits", WM_APP_HOTKEY, 0x81, 0x107, PreFilterStep::PassToBase},
        {"same parameters, other message", WM_KEYDOWN, 0x81, 7, PreFilterStep::PassToBase},
        {"F4 once", WM_SYSKEYDOWN, 115, 0x003E0001, PreFilterStep::ConsumeF4},
        {"F4 repeated", WM_SYSKEYDOWN, 115, 0x003E0002, PreFilterStep::PassToBase},
        {"hook flags 115, scan code 1", WM_APP_HOTKEY, 115, 1, PreFilterStep::ConsumeF4},
        {"hook flags 115, scan code 0x101", WM_APP_HOTKEY, 115, 0x101, PreFilterStep::ConsumeF4},
        {"hook flags 115, scan code 2", WM_APP_HOTKEY, 115, 2, PreFilterStep::PassToBase},
        {"Escape", WM_KEYDOWN, 27, 0x00010001, PreFilterStep::ConsumeEscape},
        {"hook flags 27", WM_APP_HOTKEY, 27, 7, PreFilterStep::ConsumeEscape},
        {"any message with wParam 27", 0x0010, 27, 0, PreFilterStep::ConsumeEscape},
    };
    for (const FilterCase& c : cases) {
        EXPECT_EQ(ClassifyPreFilterMessage(c.message, c.wParam, c.lParam), c.expected) << c.what;
    }
}

}  // namespace
