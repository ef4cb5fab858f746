// A page's controls as a table, seeded from the page's own dialog template in the product's
// resources: each control starts with its stored text, visible, and only controls the template
// has can be written.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "ui/page_controls.h"

struct ControlState {
    std::u16string text;
    bool visible = true;
    int textWrites = 0;
    int barLower = 0, barUpper = 0;
    std::int32_t barPosition = 0;
    PictureHandle picture = nullptr;
    int pictureWrites = 0;
    std::int32_t check = 0;
};

class TableControls final : public PageControls {
public:
    // The controls of English template `templateId`.
    explicit TableControls(std::uint16_t templateId);

    void SetText(int id, std::u16string_view text) override;
    void Show(int id, bool visible) override { At(id).visible = visible; }
    void SetBarRange(int id, int lower, int upper) override;
    void SetBarPosition(int id, std::int32_t position) override { At(id).barPosition = position; }
    void SetPicture(int id, PictureHandle picture) override;
    void SetCheck(int id, CheckState state) override {
        At(id).check = static_cast<std::int32_t>(state);
    }
    std::int32_t GetCheck(int id) override { return At(id).check; }

    ControlState& At(int id);

private:
    std::map<int, ControlState> m_controls;
    ControlState m_nowhere;  // absorbs writes to controls the template lacks
};
