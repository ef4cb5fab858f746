// String blocks read from a loaded module's resources, each whole block in the language
// resolved for it.
#pragma once

#include <windows.h>

#include <optional>

#include "resources/string_table.h"

class ModuleStringBlocks final : public StringBlockSource {
public:
    explicit ModuleStringBlocks(HMODULE module) : m_module(module) {}
    // Resolved for a given user-interface language instead of the current one.
    ModuleStringBlocks(HMODULE module, LANGID language) : m_module(module), m_language(language) {}
    std::span<const std::byte> FindBlock(std::uint16_t blockNumber) const override;

private:
    HMODULE m_module;
    std::optional<LANGID> m_language;
};
