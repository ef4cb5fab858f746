#include "resources/dialog_template.h"

#include "resources/byte_cursor.h"
#include "resources/byte_writer.h"

namespace {

constexpr std::uint32_t kSetFontStyle = 0x40;  // DS_SETFONT; DS_SHELLFONT includes it
constexpr std::uint16_t kExtendedVersion = 1;

bool ReadFont(ByteCursor& in, bool extended, DialogFont& font) {
    if (!in.ReadU16(font.pointSize)) return false;
    if (extended) {
        std::uint8_t italic = 0;
        if (!in.ReadU16(font.weight) || !in.ReadU8(italic) || !in.ReadU8(font.charset)) {
            return false;
        }
        font.italic = italic != 0;
    }
    return in.ReadTerminatedText(font.typeface);
}

bool ReadControl(ByteCursor& in, bool extended, DialogControl& control) {
    if (!in.AlignTo4()) return false;
    if (extended) {
        if (!in.ReadU32(control.helpId) || !in.ReadU32(control.exStyle) ||
            !in.ReadU32(control.style)) {
            return false;
        }
    } else if (!in.ReadU32(control.style) || !in.ReadU32(control.exStyle)) {
        return false;
    }
    if (!in.ReadI16(control.x) || !in.ReadI16(control.y) || !in.ReadI16(control.cx) ||
        !in.ReadI16(control.cy)) {
        return false;
    }
    if (extended) {
        if (!in.ReadI32(control.id)) return false;
    } else {
        std::int16_t id = 0;
        if (!in.ReadI16(id)) return false;
        control.id = id;
    }
    // The count of creation bytes does not include the count itself, in either form (what
    // the resource compiler writes and the dialog manager skips).
    std::uint16_t creationSize = 0;
    return ReadOrdinalOrText(in, control.windowClass) && ReadOrdinalOrText(in, control.title) &&
           in.ReadU16(creationSize) && in.ReadBytes(creationSize, control.creationData);
}

void PutOrdinalOrText(ByteWriter& out, const OrdinalOrText& value) {
    if (value.ordinal) {
        out.PutU16(kOrdinalMark).PutU16(*value.ordinal);
    } else {
        out.PutTerminatedText(value.text);
    }
}

void PutBox(ByteWriter& out, std::int16_t x, std::int16_t y, std::int16_t cx, std::int16_t cy) {
    for (std::int16_t value : {x, y, cx, cy}) out.PutU16(static_cast<std::uint16_t>(value));
}

std::vector<std::byte> WriteExtendedTemplate(const DialogTemplate& dialog) {
    ByteWriter out;
    out.PutU16(kExtendedVersion).PutU16(kOrdinalMark);
    out.PutU32(dialog.helpId).PutU32(dialog.exStyle).PutU32(dialog.style);
    out.PutU16(static_cast<std::uint16_t>(dialog.controls.size()));
    PutBox(out, dialog.x, dialog.y, dialog.cx, dialog.cy);
    PutOrdinalOrText(out, dialog.menu);
    PutOrdinalOrText(out, dialog.windowClass);
    PutOrdinalOrText(out, dialog.caption);
    if (dialog.font) {
        out.PutU16(dialog.font->pointSize).PutU16(dialog.font->weight);
        out.PutU8(dialog.font->italic ? 1 : 0).PutU8(dialog.font->charset);
        out.PutTerminatedText(dialog.font->typeface);
    }
    for (const DialogControl& control : dialog.controls) {
        out.AlignTo4();
        out.PutU32(control.helpId).PutU32(control.exStyle).PutU32(control.style);
        PutBox(out, control.x, control.y, control.cx, control.cy);
        out.PutU32(static_cast<std::uint32_t>(control.id));
        PutOrdinalOrText(out, control.windowClass);
        PutOrdinalOrText(out, control.title);
        out.PutU16(static_cast<std::uint16_t>(control.creationData.size()));
        out.PutBytes(control.creationData);
    }
    return out.Take();
}

}  // namespace

std::optional<DialogTemplate> ParseDialogTemplate(std::span<const std::byte> bytes) {
    ByteCursor in(bytes);
    DialogTemplate dialog;
    std::uint16_t version = 0, signature = 0;
    if (!in.ReadU16(version) || !in.ReadU16(signature)) return std::nullopt;
    dialog.extended = version == kExtendedVersion && signature == kOrdinalMark;
    std::uint16_t controlCount = 0;
    if (dialog.extended) {
        if (!in.ReadU32(dialog.helpId) || !in.ReadU32(dialog.exStyle) ||
            !in.ReadU32(dialog.style)) {
            return std::nullopt;
        }
    } else {
        in = ByteCursor(bytes);
        if (!in.ReadU32(dialog.style) || !in.ReadU32(dialog.exStyle)) return std::nullopt;
    }
    if (!in.ReadU16(controlCount) || !in.ReadI16(dialog.x) || !in.ReadI16(dialog.y) ||
        !in.ReadI16(dialog.cx) || !in.ReadI16(dialog.cy) || !ReadOrdinalOrText(in, dialog.menu) ||
        !ReadOrdinalOrText(in, dialog.windowClass) || !ReadOrdinalOrText(in, dialog.caption)) {
        return std::nullopt;
    }
    if (dialog.style & kSetFontStyle) {
        DialogFont font;
        if (!ReadFont(in, dialog.extended, font)) return std::nullopt;
        dialog.font = std::move(font);
    }
    for (std::uint16_t i = 0; i < controlCount; ++i) {
        DialogControl control;
        if (!ReadControl(in, dialog.extended, control)) return std::nullopt;
        dialog.controls.push_back(std::move(control));
    }
    return dialog;
}

std::vector<std::byte> WithDialogFont(std::span<const std::byte> extendedTemplate,
                                      const DialogFont& font) {
    std::optional<DialogTemplate> dialog = ParseDialogTemplate(extendedTemplate);
    if (!dialog || !dialog->extended) return {};
    dialog->style |= kSetFontStyle;
    dialog->font = font;
    return WriteExtendedTemplate(*dialog);
}
