// What a page's display logic needs of its window: the few operations on its controls, by
// control identifier. A dialog's children on Windows; a table in tests.
#pragma once

#include <cstdint>
#include <string_view>

// A picture the platform made (a bitmap); null shows nothing.
using PictureHandle = void*;

enum class CheckState : std::int32_t {
    Unchecked = 0,
    Checked = 1,
    Indeterminate = 2,
};

class PageControls {
public:
    virtual ~PageControls() = default;

    virtual void SetText(int id, std::u16string_view text) = 0;
    // Only the visibility changes; the text stays what it was.
    virtual void Show(int id, bool visible) = 0;
    virtual void SetBarRange(int id, int lower, int upper) = 0;
    // The bar clamps by itself; the position is handed over as given.
    virtual void SetBarPosition(int id, std::int32_t position) = 0;
    virtual void SetPicture(int id, PictureHandle picture) = 0;
    virtual void SetCheck(int id, CheckState state) = 0;
    // Whatever the control answers, also values no check box produces on its own.
    virtual std::int32_t GetCheck(int id) = 0;
};
