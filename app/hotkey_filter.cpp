#include "app/hotkey_filter.h"

PreFilterStep ClassifyPreFilterMessage(std::uint32_t message, std::uintptr_t wParam,
                                       std::intptr_t lParam) {
    constexpr std::uintptr_t kVirtualKeyF4 = 115;
    constexpr std::uintptr_t kVirtualKeyEscape = 27;
    constexpr std::uintptr_t kExtendedFlag = 0x01;  // LLKHF_EXTENDED
    constexpr std::uintptr_t kUpFlag = 0x80;        // LLKHF_UP
    constexpr std::intptr_t kBatteryScanCode = 7;

    if ((lParam & 0xFF) == 1 && wParam == kVirtualKeyF4) return PreFilterStep::ConsumeF4;
    if (wParam == kVirtualKeyEscape) return PreFilterStep::ConsumeEscape;
    if (message != WM_APP_HOTKEY || (wParam & kUpFlag) == 0 || lParam != kBatteryScanCode ||
        (wParam & kExtendedFlag) == 0) {
        return PreFilterStep::PassToBase;
    }
    return PreFilterStep::BatteryKey;
}
