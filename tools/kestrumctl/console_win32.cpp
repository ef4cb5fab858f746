#include "tools/kestrumctl/console_win32.h"

#include <windows.h>

#include <string>

namespace {

void WriteUtf8(DWORD stream, std::u16string_view text) {
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int wideLength = static_cast<int>(text.size());
    std::string utf8;
    if (wideLength > 0) {
        const int size =
            WideCharToMultiByte(CP_UTF8, 0, wide, wideLength, nullptr, 0, nullptr, nullptr);
        utf8.resize(static_cast<std::size_t>(size > 0 ? size : 0));
        WideCharToMultiByte(CP_UTF8, 0, wide, wideLength, utf8.data(), size, nullptr, nullptr);
    }
    utf8.push_back('\n');
    DWORD written = 0;
    WriteFile(GetStdHandle(stream), utf8.data(), static_cast<DWORD>(utf8.size()), &written,
              nullptr);
}

}  // namespace

void PrintLine(std::u16string_view text) { WriteUtf8(STD_OUTPUT_HANDLE, text); }

void PrintError(std::u16string_view text) { WriteUtf8(STD_ERROR_HANDLE, text); }

void ConsoleDebugSink::Write(const char16_t* line) {
    std::u16string text = u"debug: ";
    text += line;
    // Some debug lines end in a line end of their own; one is enough on a console.
    if (!text.empty() && text.back() == u'\n') text.pop_back();
    PrintError(text);
}
