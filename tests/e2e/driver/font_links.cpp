#include "tests/e2e/driver/font_links.h"

namespace e2e {
namespace {

constexpr wchar_t kSystemLink[] =
    L"Software\\Microsoft\\Windows NT\\CurrentVersion\\FontLink\\SystemLink";
// The faces a dialog may end up in: the property sheet's "MS Shell Dlg" is Tahoma under most
// code pages, and the others are what Wine substitutes under the East Asian ones.
constexpr const wchar_t* kDialogFaces[] = {
    L"Tahoma",       L"MS Shell Dlg", L"MS Shell Dlg 2", L"Microsoft Sans Serif",
    L"MS UI Gothic", L"SimSun",       L"PMingLiU",       L"Gulim"};

std::optional<std::vector<BYTE>> ReadValue(HKEY key, const wchar_t* face) {
    DWORD size = 0;
    if (RegQueryValueExW(key, face, nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    std::vector<BYTE> value(size);
    if (RegQueryValueExW(key, face, nullptr, nullptr, value.data(), &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    value.resize(size);
    return value;
}

}  // namespace

FontLinks::FontLinks(const std::wstring& fallback) {
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kSystemLink, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &m_key, nullptr) != ERROR_SUCCESS) {
        m_key = nullptr;
        return;
    }
    // A multi-string: the one entry and the empty string that ends the list.
    std::wstring link = fallback;
    link.push_back(L'\0');
    link.push_back(L'\0');
    const auto bytes = static_cast<DWORD>(link.size()) * static_cast<DWORD>(sizeof(wchar_t));
    m_applied = true;
    for (const wchar_t* face : kDialogFaces) {
        m_former.push_back({face, ReadValue(m_key, face)});
        m_applied =
            RegSetValueExW(m_key, face, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(link.data()),
                           bytes) == ERROR_SUCCESS &&
            m_applied;
    }
}

FontLinks::~FontLinks() {
    if (m_key == nullptr) return;
    for (const Former& former : m_former) {
        if (former.value) {
            RegSetValueExW(m_key, former.face.c_str(), 0, REG_MULTI_SZ, former.value->data(),
                           static_cast<DWORD>(former.value->size()));
        } else {
            RegDeleteValueW(m_key, former.face.c_str());
        }
    }
    RegCloseKey(m_key);
}

}  // namespace e2e
