#include "ui/dialog_controls_win32.h"

#include <commctrl.h>

#include <string>

static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 text crosses the boundary as is");

void DialogControls::SetText(int id, std::u16string_view text) {
    // The platform wants a terminated text; a view need not be one.
    const std::wstring terminated(reinterpret_cast<const wchar_t*>(text.data()), text.size());
    SetDlgItemTextW(m_dialog, id, terminated.c_str());
}

void DialogControls::Show(int id, bool visible) {
    ShowWindow(GetDlgItem(m_dialog, id), visible ? SW_SHOW : SW_HIDE);
}

void DialogControls::SetBarRange(int id, int lower, int upper) {
    SendDlgItemMessageW(m_dialog, id, PBM_SETRANGE, 0, MAKELPARAM(lower, upper));
}

void DialogControls::SetBarPosition(int id, std::int32_t position) {
    SendDlgItemMessageW(m_dialog, id, PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

void DialogControls::SetPicture(int id, PictureHandle picture) {
    SendDlgItemMessageW(m_dialog, id, STM_SETIMAGE, IMAGE_BITMAP,
                        reinterpret_cast<LPARAM>(picture));
}

void DialogControls::SetCheck(int id, CheckState state) {
    SendDlgItemMessageW(m_dialog, id, BM_SETCHECK, static_cast<WPARAM>(state), 0);
}

std::int32_t DialogControls::GetCheck(int id) {
    return static_cast<std::int32_t>(SendDlgItemMessageW(m_dialog, id, BM_GETCHECK, 0, 0));
}
