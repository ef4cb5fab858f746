// The test language libraries, which the build puts beside the test executable.
#pragma once

#include <windows.h>

#include <string>

// The folder of the running test executable, with a trailing separator.
inline std::wstring TestFolder() {
    std::wstring path(MAX_PATH, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), MAX_PATH));
    return path.substr(0, path.find_last_of(L'\\') + 1);
}

// A library loaded the way a resource source is: as data only, never run.
class LanguageLibrary {
public:
    explicit LanguageLibrary(const std::wstring& path)
        : m_module(LoadLibraryExW(path.c_str(), nullptr,
                                  LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)) {}
    ~LanguageLibrary() {
        if (m_module) FreeLibrary(m_module);
    }
    LanguageLibrary(const LanguageLibrary&) = delete;
    LanguageLibrary& operator=(const LanguageLibrary&) = delete;

    HMODULE get() const { return m_module; }

private:
    HMODULE m_module;
};
