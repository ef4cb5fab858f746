// Reads a fuzz input front to back as the values a harness needs.
//
// Once the bytes run out every read yields zeros, so any input, however short, decodes to a
// complete scenario and the fuzzer never wastes runs on inputs that decode to nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

class FuzzInput {
public:
    explicit FuzzInput(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

    std::uint8_t TakeU8() { return m_offset < m_bytes.size() ? m_bytes[m_offset++] : 0; }
    std::uint16_t TakeU16() {
        const unsigned low = TakeU8();
        return static_cast<std::uint16_t>(low | TakeU8() << 8);
    }
    std::uint32_t TakeU32() {
        const std::uint32_t low = TakeU16();
        return low | std::uint32_t{TakeU16()} << 16;
    }
    bool TakeBool() { return (TakeU8() & 1) != 0; }
    // Fills `out` with the next bytes, zeros once the input is used up.
    void TakeBytes(std::span<std::uint8_t> out) {
        for (std::uint8_t& byte : out) byte = TakeU8();
    }

private:
    std::span<const std::uint8_t> m_bytes;
    std::size_t m_offset = 0;
};
