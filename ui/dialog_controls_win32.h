// A page's controls as the children of its dialog window.
#pragma once

#include <windows.h>

#include "ui/page_controls.h"

class DialogControls final : public PageControls {
public:
    explicit DialogControls(HWND dialog) : m_dialog(dialog) {}

    void SetText(int id, std::u16string_view text) override;
    void Show(int id, bool visible) override;
    void SetBarRange(int id, int lower, int upper) override;
    void SetBarPosition(int id, std::int32_t position) override;
    void SetPicture(int id, PictureHandle picture) override;
    void SetCheck(int id, CheckState state) override;
    std::int32_t GetCheck(int id) override;

private:
    HWND m_dialog;
};
