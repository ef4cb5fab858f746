// Little-endian writing of resource bytes, the counterpart of ByteCursor.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

class ByteWriter {
public:
    ByteWriter& PutU8(std::uint8_t value) {
        m_bytes.push_back(static_cast<std::byte>(value));
        return *this;
    }
    ByteWriter& PutU16(std::uint16_t value) {
        return PutU8(static_cast<std::uint8_t>(value)).PutU8(static_cast<std::uint8_t>(value >> 8));
    }
    ByteWriter& PutU32(std::uint32_t value) {
        return PutU16(static_cast<std::uint16_t>(value))
            .PutU16(static_cast<std::uint16_t>(value >> 16));
    }
    // UTF-16 units and a terminating zero.
    ByteWriter& PutTerminatedText(std::u16string_view text) {
        for (char16_t unit : text) PutU16(unit);
        return PutU16(0);
    }
    ByteWriter& PutBytes(const std::vector<std::byte>& bytes) {
        m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
        return *this;
    }
    // Zero bytes up to the next multiple of four.
    ByteWriter& AlignTo4() {
        while (m_bytes.size() % 4 != 0) PutU8(0);
        return *this;
    }

    std::size_t Size() const { return m_bytes.size(); }
    std::vector<std::byte> Take() { return std::move(m_bytes); }

private:
    std::vector<std::byte> m_bytes;
};
