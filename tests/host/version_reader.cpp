#include "tests/host/version_reader.h"

#include "resources/byte_cursor.h"

namespace {

bool ReadNode(std::span<const std::byte> bytes, std::size_t start, VersionNode& node,
              std::size_t& end) {
    ByteCursor in(bytes, start);
    std::uint16_t length = 0, valueLength = 0, type = 0;
    if (!in.ReadU16(length) || !in.ReadU16(valueLength) || !in.ReadU16(type) || type > 1 ||
        length < 6 || length > bytes.size() - start) {
        return false;
    }
    end = start + length;
    ByteCursor body(bytes.first(end), in.Offset());
    node.isText = type == 1;
    // A text value's length counts UTF-16 units, a binary one's bytes.
    const std::size_t valueBytes = node.isText ? valueLength * std::size_t{2} : valueLength;
    if (!body.ReadTerminatedText(node.key) || !body.AlignTo4() ||
        !body.ReadBytes(valueBytes, node.value)) {
        return false;
    }
    while (body.AlignTo4() && body.Remaining() != 0) {
        VersionNode child;
        std::size_t childEnd = 0;
        if (!ReadNode(bytes.first(end), body.Offset(), child, childEnd)) return false;
        node.children.push_back(std::move(child));
        body = ByteCursor(bytes.first(end), childEnd);
    }
    return true;
}

}  // namespace

std::u16string VersionNode::Text() const {
    std::u16string text;
    for (std::uint16_t unit : Words()) {
        if (unit == 0) break;
        text.push_back(static_cast<char16_t>(unit));
    }
    return text;
}

std::vector<std::uint16_t> VersionNode::Words() const {
    std::vector<std::uint16_t> words;
    ByteCursor in(value);
    for (std::uint16_t word = 0; in.ReadU16(word);) words.push_back(word);
    return words;
}

std::vector<std::uint32_t> VersionNode::DoubleWords() const {
    std::vector<std::uint32_t> words;
    ByteCursor in(value);
    for (std::uint32_t word = 0; in.ReadU32(word);) words.push_back(word);
    return words;
}

const VersionNode* VersionNode::Child(std::u16string_view childKey) const {
    for (const VersionNode& child : children) {
        if (child.key == childKey) return &child;
    }
    return nullptr;
}

std::optional<VersionNode> ReadVersionRecord(std::span<const std::byte> bytes) {
    VersionNode root;
    std::size_t end = 0;
    if (!ReadNode(bytes, 0, root, end)) return std::nullopt;
    return root;
}
