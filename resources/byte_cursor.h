// A bounded little-endian reader over resource bytes.
//
// Resource data may come from a language library we did not build, so every read checks the
// remaining length first and a failed read leaves the value untouched; callers give up at the
// first false.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

class ByteCursor {
public:
    explicit ByteCursor(std::span<const std::byte> bytes, std::size_t offset = 0)
        : m_bytes(bytes), m_offset(offset <= bytes.size() ? offset : bytes.size()) {}

    bool ReadU8(std::uint8_t& value) {
        if (Remaining() < 1) return false;
        value = static_cast<std::uint8_t>(Byte(0));
        m_offset += 1;
        return true;
    }
    bool ReadU16(std::uint16_t& value) {
        if (Remaining() < 2) return false;
        value = static_cast<std::uint16_t>(Byte(0) | Byte(1) << 8);
        m_offset += 2;
        return true;
    }
    bool ReadI16(std::int16_t& value) {
        std::uint16_t raw = 0;
        if (!ReadU16(raw)) return false;
        value = static_cast<std::int16_t>(raw);
        return true;
    }
    bool ReadU32(std::uint32_t& value) {
        if (Remaining() < 4) return false;
        value = Byte(0) | Byte(1) << 8 | Byte(2) << 16 | Byte(3) << 24;
        m_offset += 4;
        return true;
    }
    bool ReadI32(std::int32_t& value) {
        std::uint32_t raw = 0;
        if (!ReadU32(raw)) return false;
        value = static_cast<std::int32_t>(raw);
        return true;
    }
    // UTF-16 units up to a terminating zero, which is consumed but not kept.
    bool ReadTerminatedText(std::u16string& text) {
        std::u16string units;
        for (std::uint16_t unit = 0; ReadU16(unit);) {
            if (unit == 0) {
                text = std::move(units);
                return true;
            }
            units.push_back(static_cast<char16_t>(unit));
        }
        return false;
    }
    bool ReadBytes(std::size_t count, std::vector<std::byte>& out) {
        if (Remaining() < count) return false;
        out.assign(m_bytes.begin() + static_cast<std::ptrdiff_t>(m_offset),
                   m_bytes.begin() + static_cast<std::ptrdiff_t>(m_offset + count));
        m_offset += count;
        return true;
    }
    bool Skip(std::size_t count) {
        if (Remaining() < count) return false;
        m_offset += count;
        return true;
    }
    // Moves to the next multiple of four counted from the start of the bytes.
    bool AlignTo4() { return Skip((4 - m_offset % 4) % 4); }

    std::size_t Offset() const { return m_offset; }
    std::size_t Remaining() const { return m_bytes.size() - m_offset; }

private:
    std::uint32_t Byte(std::size_t i) const {
        return std::to_integer<std::uint32_t>(m_bytes[m_offset + i]);
    }

    std::span<const std::byte> m_bytes;
    std::size_t m_offset;
};
