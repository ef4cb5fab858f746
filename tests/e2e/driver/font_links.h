// Glyphs that Wine's own faces lack (Arabic, Chinese, Japanese, Korean), borrowed from an
// installed face through the prefix's font links while a test runs.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace e2e {

// Links the dialog faces to `fallback` ("file,face", e.g. L"wqy-microhei.ttc,WenQuanYi Micro
// Hei") for the programs started from now on; the former links come back at destruction.
// A link changes the metrics of the text it covers, so a test that measures Latin text does
// without one.
class FontLinks {
public:
    explicit FontLinks(const std::wstring& fallback);
    ~FontLinks();

    FontLinks(const FontLinks&) = delete;
    FontLinks& operator=(const FontLinks&) = delete;

    bool Applied() const { return m_applied; }

private:
    struct Former {
        std::wstring face;
        std::optional<std::vector<BYTE>> value;
    };
    HKEY m_key = nullptr;
    std::vector<Former> m_former;
    bool m_applied = false;
};

}  // namespace e2e
