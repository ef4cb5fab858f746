#include "resources/resource_source_win32.h"

#include <iterator>

#include "resources/resource_source.h"

namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "the platform's text is UTF-16");

std::u16string AbbreviatedLanguageName(std::uint16_t language) {
    // A primary language alone becomes its default locale (0x0007 gives 0x0407).
    const LCID locale = ConvertDefaultLocale(MAKELCID(language, SORT_DEFAULT));
    wchar_t name[16] = {};
    const int written = GetLocaleInfoW(locale, LOCALE_SABBREVLANGNAME, name, std::size(name));
    if (written <= 1) return {};
    return {reinterpret_cast<const char16_t*>(name), static_cast<std::size_t>(written - 1)};
}

}  // namespace

HMODULE ChooseResourceSource(HMODULE executable) {
    // One unit more than the limit: a path cut at the buffer's end still reads as too long.
    wchar_t path[kLanguageLibraryExecutablePathLimit + 1] = {};
    const DWORD length = GetModuleFileNameW(executable, path, std::size(path));
    if (length == 0) return executable;
    const std::u16string_view executablePath(reinterpret_cast<const char16_t*>(path), length);
    for (const std::u16string& library :
         LanguageLibraryPaths(executablePath, GetUserDefaultUILanguage(),
                              GetSystemDefaultUILanguage(), AbbreviatedLanguageName)) {
        // As data only: running the entry point of whatever file lies beside the executable
        // would hand the process to it, and a language library has no code to run anyway.
        HMODULE source = LoadLibraryExW(reinterpret_cast<LPCWSTR>(library.c_str()), nullptr,
                                        LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        if (source != nullptr) return source;
    }
    return executable;
}
