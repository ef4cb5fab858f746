// UTF-16 text as the tests hold it (char16_t) and as Win32 takes it (wchar_t).
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 text crosses the boundary as is");

namespace e2e {

inline std::wstring_view Wide(std::u16string_view text) {
    return {reinterpret_cast<const wchar_t*>(text.data()), text.size()};
}

inline std::u16string Utf16(std::wstring_view text) {
    return {reinterpret_cast<const char16_t*>(text.data()), text.size()};
}

// Text that arrived as bytes in `codePage` (CP_ACP, CP_UTF8).
inline std::u16string Decode(std::string_view bytes, UINT codePage) {
    if (bytes.empty()) return {};
    const int size = static_cast<int>(bytes.size());
    std::u16string text(bytes.size(), u'\0');
    const int length = MultiByteToWideChar(codePage, 0, bytes.data(), size,
                                           reinterpret_cast<wchar_t*>(text.data()), size);
    text.resize(static_cast<std::size_t>(length > 0 ? length : 0));
    return text;
}

}  // namespace e2e
