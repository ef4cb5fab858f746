#include "tests/host/table_controls.h"

#include <gtest/gtest.h>

#include "resources/dialog_template.h"
#include "tests/host/fakes.h"

namespace {
constexpr std::uint16_t kDialogType = 5;
constexpr std::uint16_t kEnglish = 0x0409;
}  // namespace

TableControls::TableControls(std::uint16_t templateId) {
    const ResEntry* entry = ProductResources().Find(kDialogType, templateId, kEnglish);
    if (entry == nullptr) {
        ADD_FAILURE() << "no English template " << templateId;
        return;
    }
    const std::optional<DialogTemplate> dialog = ParseDialogTemplate(entry->data);
    if (!dialog) {
        ADD_FAILURE() << "template " << templateId << " does not parse";
        return;
    }
    for (const DialogControl& control : dialog->controls) {
        m_controls[control.id].text = control.title.text;
    }
}

ControlState& TableControls::At(int id) {
    auto control = m_controls.find(id);
    if (control == m_controls.end()) {
        ADD_FAILURE() << "the template has no control " << id;
        return m_nowhere = {};
    }
    return control->second;
}

void TableControls::SetText(int id, std::u16string_view text) {
    ControlState& control = At(id);
    control.text = text;
    ++control.textWrites;
}

void TableControls::SetBarRange(int id, int lower, int upper) {
    ControlState& control = At(id);
    control.barLower = lower;
    control.barUpper = upper;
}

void TableControls::SetPicture(int id, PictureHandle picture) {
    ControlState& control = At(id);
    control.picture = picture;
    ++control.pictureWrites;
}
