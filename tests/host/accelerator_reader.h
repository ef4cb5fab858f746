// Test-only reader of an accelerator table.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

struct Accelerator {
    std::uint8_t flags = 0;  // FVIRTKEY 1, FSHIFT 4, FCONTROL 8, FALT 0x10; no end mark
    std::uint16_t key = 0;
    std::uint16_t command = 0;

    bool operator==(const Accelerator&) const = default;
};

// Nothing unless the last entry, and only it, carries the end mark.
std::optional<std::vector<Accelerator>> ReadAccelerators(std::span<const std::byte> bytes);
