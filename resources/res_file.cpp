#include "resources/res_file.h"

#include <fstream>
#include <iterator>

std::optional<ResFile> ResFile::Parse(std::span<const std::byte> bytes) {
    ResFile file;
    std::size_t offset = 0;
    while (offset < bytes.size()) {
        ByteCursor sizes(bytes, offset);
        std::uint32_t dataSize = 0, headerSize = 0;
        if (!sizes.ReadU32(dataSize) || !sizes.ReadU32(headerSize)) return std::nullopt;
        if (headerSize < 16 || headerSize > bytes.size() - offset ||
            dataSize > bytes.size() - offset - headerSize) {
            return std::nullopt;
        }
        // The header's fields, aligned from the header's own start, never beyond its size.
        ByteCursor fields(bytes.subspan(offset, headerSize), 8);
        ResEntry entry;
        std::uint32_t dataVersion = 0, version = 0, characteristics = 0;
        std::uint16_t memoryFlags = 0;
        if (!ReadOrdinalOrText(fields, entry.type) || !ReadOrdinalOrText(fields, entry.name) ||
            !fields.AlignTo4() || !fields.ReadU32(dataVersion) || !fields.ReadU16(memoryFlags) ||
            !fields.ReadU16(entry.language) || !fields.ReadU32(version) ||
            !fields.ReadU32(characteristics)) {
            return std::nullopt;
        }
        entry.data = bytes.subspan(offset + headerSize, dataSize);
        // The file starts with an empty entry of type 0 that only marks the format.
        if (!(entry.type == ResId::Ordinal(0) && dataSize == 0)) {
            file.m_entries.push_back(entry);
        }
        std::size_t next = offset + headerSize + dataSize;
        next += (4 - next % 4) % 4;
        offset = next;
    }
    return file;
}

const ResEntry* ResFile::Find(std::uint16_t type, std::uint16_t name,
                              std::uint16_t language) const {
    for (const ResEntry& entry : m_entries) {
        if (entry.type == ResId::Ordinal(type) && entry.name == ResId::Ordinal(name) &&
            entry.language == language) {
            return &entry;
        }
    }
    return nullptr;
}

std::vector<std::uint16_t> ResFile::Languages(std::uint16_t type, std::uint16_t name) const {
    std::vector<std::uint16_t> languages;
    for (const ResEntry& entry : m_entries) {
        if (entry.type == ResId::Ordinal(type) && entry.name == ResId::Ordinal(name)) {
            languages.push_back(entry.language);
        }
    }
    return languages;
}

std::vector<std::byte> ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    std::vector<char> chars{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<std::byte> bytes(chars.size());
    for (std::size_t i = 0; i < chars.size(); ++i) bytes[i] = static_cast<std::byte>(chars[i]);
    return bytes;
}
