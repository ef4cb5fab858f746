#include "framework/register_class.h"

#include <cstdint>
#include <list>
#include <string>

#include "common/fixed_text.h"

static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 text crosses the boundary as is");

namespace {

void AppendHandle(FixedText& name, const void* handle) {
    // Handles are formatted by their low 32 bits: module and resource handles fit there, and
    // the name must be the same in the 32-bit product and its 64-bit twin.
    const auto value = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(handle));
    for (int shift = 28; shift >= 0; shift -= 4) {
        const unsigned digit = (value >> shift) & 0xF;
        const char16_t unit = static_cast<char16_t>(digit < 10 ? u'0' + digit : u'A' + digit - 10);
        name.Append(std::u16string_view(&unit, 1));
    }
}

// Names handed out stay valid for the process; nodes of a list never move. Kept outside the
// function, whose static would be guarded by a lock from the threads library.
std::list<std::wstring> g_registeredNames;

}  // namespace

LPCWSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    char16_t name[64];
    FixedText text(name);
    text.Append(u"Afx:");
    AppendHandle(text, instance);
    text.Append(u":").AppendHex(nClassStyle);
    if (hCursor != nullptr || hbrBackground != nullptr || hIcon != nullptr) {
        text.Append(u":");
        AppendHandle(text, hCursor);
        text.Append(u":");
        AppendHandle(text, hbrBackground);
        text.Append(u":");
        AppendHandle(text, hIcon);
    }

    const std::wstring wanted(reinterpret_cast<const wchar_t*>(name), text.Length());
    for (const std::wstring& known : g_registeredNames) {
        if (known == wanted) return known.c_str();
    }
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    if (!GetClassInfoExW(instance, wanted.c_str(), &windowClass)) {
        windowClass = {};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.style = nClassStyle;
        // The framework takes each window over as it is created, so the class keeps the
        // platform's procedure underneath.
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = instance;
        windowClass.hCursor = hCursor;
        windowClass.hbrBackground = hbrBackground;
        windowClass.hIcon = hIcon;
        windowClass.lpszClassName = wanted.c_str();
        if (RegisterClassExW(&windowClass) == 0) return nullptr;
    }
    return g_registeredNames.emplace_back(wanted).c_str();
}
