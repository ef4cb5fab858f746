#include "tests/e2e/driver/tab_control.h"

#include <commctrl.h>

#include "tests/e2e/driver/remote_buffer.h"
#include "tests/e2e/driver/wide_text.h"
#include "tests/e2e/driver/window_messages.h"

namespace e2e {
namespace {

constexpr int kTextUnits = 256;
constexpr std::size_t kTextOffset = sizeof(TCITEMW);

}  // namespace

std::vector<std::u16string> TabItemTexts(HWND tab) {
    std::vector<std::u16string> texts;
    DWORD processId = 0;
    GetWindowThreadProcessId(tab, &processId);
    RemoteBuffer remote(processId, kTextOffset + kTextUnits * sizeof(wchar_t));
    const LRESULT count = SendTo(tab, TCM_GETITEMCOUNT).value_or(0);
    for (LRESULT index = 0; index < count && remote.Valid(); ++index) {
        TCITEMW item = {};
        item.mask = TCIF_TEXT;
        item.pszText = static_cast<wchar_t*>(remote.Address(kTextOffset));
        item.cchTextMax = kTextUnits;
        wchar_t text[kTextUnits] = {};
        if (!remote.Write(0, &item, sizeof item) ||
            !SendTo(tab, TCM_GETITEMW, static_cast<WPARAM>(index),
                    reinterpret_cast<LPARAM>(remote.Address()))
                 .value_or(FALSE) ||
            !remote.Read(kTextOffset, text, sizeof text)) {
            break;
        }
        text[kTextUnits - 1] = L'\0';
        texts.push_back(Utf16(text));
    }
    return texts;
}

int TabSelection(HWND tab) { return static_cast<int>(SendTo(tab, TCM_GETCURSEL).value_or(-1)); }

}  // namespace e2e
