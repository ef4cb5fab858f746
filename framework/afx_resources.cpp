#include "framework/afx_resources.h"

#include "resources/module_string_blocks_win32.h"

static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 text crosses the boundary as is");

namespace {

// Null until start-up chooses a source; it then reads as the executable.
HINSTANCE g_hResourceSource = nullptr;

}  // namespace

HINSTANCE AfxGetResourceHandle() {
    return g_hResourceSource != nullptr ? g_hResourceSource : GetModuleHandleW(nullptr);
}

void AfxSetResourceHandle(HINSTANCE hInstResource) { g_hResourceSource = hInstResource; }

bool CResourceStrings::Load(std::uint16_t id, std::u16string& text) const {
    const ModuleStringBlocks blocks(AfxGetResourceHandle());
    return BlockStringTable(blocks).Load(id, text);
}

std::wstring AfxLoadString(UINT nID) {
    const std::u16string text = LoadText(CResourceStrings(), static_cast<std::uint16_t>(nID));
    return {reinterpret_cast<const wchar_t*>(text.data()), text.size()};
}
