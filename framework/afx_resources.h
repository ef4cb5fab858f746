// The framework's resource source: the one module every string, template, bitmap and icon is
// looked up in. The executable's own module until start-up chooses another.
#pragma once

#include <windows.h>

#include <string>

#include "resources/string_table.h"

HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE hInstResource);

// The string table of the current resource source. Each lookup reads the source anew, so a
// text is always taken at the moment of use, from whatever source is current then.
class CResourceStrings final : public StringTable {
public:
    bool Load(std::uint16_t id, std::u16string& text) const override;
};

// The text of `nID` for the platform, empty when it does not exist.
std::wstring AfxLoadString(UINT nID);
