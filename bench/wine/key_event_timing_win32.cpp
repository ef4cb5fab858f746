#include "bench/wine/key_event_timing_win32.h"

#include <chrono>
#include <vector>

#include "bench/wine/sample_median.h"
#include "tests/e2e/driver/wait.h"

namespace bench {
namespace {

constexpr wchar_t kClassName[] = L"KestrumBenchKeyTarget";
constexpr int kRounds = 7;
constexpr int kEventsPerRound = 2000;
// Far beyond any round on a busy machine; reaching it means events were lost.
constexpr auto kRoundLimit = std::chrono::seconds(60);

// F13 to F24 pressed and released: keys without a binding anywhere, which only the focus
// window and the hooks see.
std::vector<INPUT> HarmlessKeys(int events) {
    std::vector<INPUT> keys;
    for (int n = 0; static_cast<int>(keys.size()) < events; ++n) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = static_cast<WORD>(VK_F13 + n % 12);
        keys.push_back(input);
        input.ki.dwFlags = KEYEVENTF_KEYUP;
        keys.push_back(input);
    }
    return keys;
}

void PumpWaitingMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace

KeyEventTarget::KeyEventTarget() {
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kClassName;
    if (!RegisterClassExW(&windowClass)) return;
    m_window = CreateWindowExW(0, kClassName, L"Key events", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20,
                               20, 300, 120, nullptr, nullptr, GetModuleHandleW(nullptr), this);
    if (m_window != nullptr && !TakeFocus()) {
        DestroyWindow(m_window);
        m_window = nullptr;
    }
}

bool KeyEventTarget::TakeFocus() {
    SetForegroundWindow(m_window);
    SetFocus(m_window);
    return e2e::WaitUntil([&] {
        PumpWaitingMessages();
        return GetForegroundWindow() == m_window && GetFocus() == m_window;
    });
}

KeyEventTarget::~KeyEventTarget() {
    if (m_window != nullptr) DestroyWindow(m_window);
    UnregisterClassW(kClassName, GetModuleHandleW(nullptr));
}

LRESULT CALLBACK KeyEventTarget::WindowProc(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* target = reinterpret_cast<KeyEventTarget*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (target != nullptr && (message == WM_KEYDOWN || message == WM_KEYUP)) {
        ++target->m_received;
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

std::optional<double> KeyEventTarget::TimeOneRound() {
    std::vector<INPUT> keys = HarmlessKeys(kEventsPerRound);
    const long expected = static_cast<long>(keys.size());
    PumpWaitingMessages();
    m_received = 0;
    const auto start = std::chrono::steady_clock::now();
    if (SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT)) != keys.size()) {
        return std::nullopt;
    }
    const auto deadline = start + kRoundLimit;
    while (m_received < expected) {
        if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        PumpWaitingMessages();
    }
    const std::chrono::duration<double, std::micro> spent =
        std::chrono::steady_clock::now() - start;
    return spent.count() / static_cast<double>(expected);
}

std::optional<double> KeyEventTarget::MeasurePerEvent() {
    // Another program started since may have taken the foreground.
    if (m_window == nullptr || !TakeFocus()) return std::nullopt;
    std::vector<double> perEvent;
    for (int round = 0; round < kRounds; ++round) {
        const std::optional<double> timed = TimeOneRound();
        if (!timed) return std::nullopt;
        perEvent.push_back(*timed);
    }
    return Median(perEvent);
}

}  // namespace bench
