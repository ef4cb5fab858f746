#include "resources/res_file.h"

#include <fstream>
#include <iterator>

namespace {

class Cursor {
public:
    Cursor(std::span<const std::byte> bytes, std::size_t offset, std::size_t end)
        : m_bytes(bytes), m_offset(offset), m_end(end) {}

    bool ReadU16(std::uint16_t& value) {
        if (m_end - m_offset < 2) return false;
        value = static_cast<std::uint16_t>(Byte(0) | Byte(1) << 8);
        m_offset += 2;
        return true;
    }
    bool ReadU32(std::uint32_t& value) {
        if (m_end - m_offset < 4) return false;
        value = Byte(0) | Byte(1) << 8 | Byte(2) << 16 | static_cast<std::uint32_t>(Byte(3)) << 24;
        m_offset += 4;
        return true;
    }
    // An ordinal (0xFFFF then the value) or a terminated UTF-16 string.
    bool ReadId(ResId& id) {
        std::uint16_t unit = 0;
        if (!ReadU16(unit)) return false;
        if (unit == 0xFFFF) {
            std::uint16_t ordinal = 0;
            if (!ReadU16(ordinal)) return false;
            id = ResId::Ordinal(ordinal);
            return true;
        }
        id = {};
        while (unit != 0) {
            id.name.push_back(static_cast<char16_t>(unit));
            if (!ReadU16(unit)) return false;
        }
        return true;
    }
    bool AlignTo4(std::size_t base) {
        std::size_t aligned = base + ((m_offset - base + 3) & ~std::size_t{3});
        if (aligned > m_end) return false;
        m_offset = aligned;
        return true;
    }
    std::size_t Offset() const { return m_offset; }

private:
    std::uint32_t Byte(std::size_t i) const {
        return std::to_integer<std::uint32_t>(m_bytes[m_offset + i]);
    }

    std::span<const std::byte> m_bytes;
    std::size_t m_offset;
    std::size_t m_end;
};

}  // namespace

std::optional<ResFile> ResFile::Parse(std::span<const std::byte> bytes) {
    ResFile file;
    std::size_t offset = 0;
    while (offset < bytes.size()) {
        Cursor header(bytes, offset, bytes.size());
        std::uint32_t dataSize = 0, headerSize = 0;
        if (!header.ReadU32(dataSize) || !header.ReadU32(headerSize)) return std::nullopt;
        if (headerSize < 16 || headerSize > bytes.size() - offset ||
            dataSize > bytes.size() - offset - headerSize) {
            return std::nullopt;
        }
        Cursor fields(bytes, offset + 8, offset + headerSize);
        ResEntry entry;
        std::uint32_t dataVersion = 0, version = 0, characteristics = 0;
        std::uint16_t memoryFlags = 0;
        if (!fields.ReadId(entry.type) || !fields.ReadId(entry.name) || !fields.AlignTo4(offset) ||
            !fields.ReadU32(dataVersion) || !fields.ReadU16(memoryFlags) ||
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
