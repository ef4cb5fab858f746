// A small program for the driver's own tests: it does one known thing per mode, and tells
// what it saw on the debugger output.
//
//   e2e_probe print ARG...   each argument as one debug line; exit code: their number
//   e2e_probe sleep MS       "before", a pause, "after"; exit code 7
//   e2e_probe language       the user-interface language, e.g. "0x407"
//   e2e_probe crash          "crashing", then an exception nobody handles (0xE0000001)
//   e2e_probe window         a window with a tab control, a check box and a button, a
//                            hidden window, and a keyboard hook; "ready" once all are there
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <cwchar>
#include <string>

#include "common/debugger_output_win32.h"
#include "common/fixed_text.h"

namespace {

constexpr int kTabId = 100;
constexpr int kCheckId = 101;
constexpr int kButtonId = 102;
constexpr COLORREF kBackground = RGB(0x20, 0x60, 0xA0);

void Line(const char16_t* text) { DebuggerOutput().Write(text); }

void HexLine(const char16_t* label, std::initializer_list<std::uint32_t> values) {
    char16_t text[64];
    FixedText line(text);
    line.Append(label);
    for (const std::uint32_t value : values) line.Append(u" 0x").AppendHex(value);
    Line(text);
}

const char16_t* Utf16(const wchar_t* text) { return reinterpret_cast<const char16_t*>(text); }

LRESULT CALLBACK KeyboardHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
        const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        HexLine(u"hook", {key->vkCode, key->scanCode, key->flags});
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK ProbeWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (LOWORD(wParam) == kButtonId && HIWORD(wParam) == BN_CLICKED) Line(u"pressed");
            return 0;
        case WM_KEYDOWN:
            HexLine(u"keydown", {static_cast<std::uint32_t>(wParam)});
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

HWND Control(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, int id, int x,
             int y, int width, int height) {
    return CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height,
                           parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr,
                           nullptr);
}

int Window() {
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSW probe = {};
    probe.lpfnWndProc = ProbeWindow;
    probe.hInstance = GetModuleHandleW(nullptr);
    probe.hbrBackground = CreateSolidBrush(kBackground);
    probe.lpszClassName = L"KestrumE2EProbe";
    RegisterClassW(&probe);

    HWND hidden = CreateWindowExW(0, probe.lpszClassName, L"Hidden probe", WS_OVERLAPPEDWINDOW, 0,
                                  0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    HWND main =
        CreateWindowExW(0, probe.lpszClassName, L"Kestrum probe", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                        100, 100, 400, 300, nullptr, nullptr, nullptr, nullptr);
    HWND tab = Control(main, WC_TABCONTROLW, L"", 0, kTabId, 10, 10, 360, 100);
    for (const wchar_t* title : {L"First", L"Second"}) {
        TCITEMW item = {};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(title);
        SendMessageW(tab, TCM_INSERTITEMW, SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0),
                     reinterpret_cast<LPARAM>(&item));
    }
    SendMessageW(tab, TCM_SETCURSEL, 1, 0);
    HWND check = Control(main, L"BUTTON", L"Check", BS_AUTOCHECKBOX, kCheckId, 10, 130, 120, 24);
    SendMessageW(check, BM_SETCHECK, BST_CHECKED, 0);
    Control(main, L"BUTTON", L"Press", BS_PUSHBUTTON, kButtonId, 10, 170, 120, 30);
    HHOOK hook = SetWindowsHookExW(WH_KEYBOARD_LL, KeyboardHook, GetModuleHandleW(nullptr), 0);
    if (hidden == nullptr || main == nullptr || hook == nullptr) return 1;
    SetForegroundWindow(main);
    SetFocus(main);
    Line(u"ready");

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    UnhookWindowsHookEx(hook);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring mode = argc > 1 ? argv[1] : L"";
    if (mode == L"print") {
        for (int i = 2; i < argc; ++i) Line(Utf16(argv[i]));
        return argc - 2;
    }
    if (mode == L"sleep" && argc == 3) {
        Line(u"before");
        Sleep(static_cast<DWORD>(std::wcstoul(argv[2], nullptr, 10)));
        Line(u"after");
        return 7;
    }
    if (mode == L"language") {
        HexLine(u"language", {GetUserDefaultUILanguage()});
        return 0;
    }
    if (mode == L"crash") {
        Line(u"crashing");
        RaiseException(0xE0000001, EXCEPTION_NONCONTINUABLE, 0, nullptr);
        return 0;
    }
    if (mode == L"window") return Window();
    return 2;
}
