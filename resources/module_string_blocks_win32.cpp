#include "resources/module_string_blocks_win32.h"

#include "resources/resolved_resource_win32.h"

std::span<const std::byte> ModuleStringBlocks::FindBlock(std::uint16_t blockNumber) const {
    const LPCWSTR name = MAKEINTRESOURCEW(blockNumber);
    if (m_language) return FindResolvedResource(m_module, RT_STRING, name, *m_language);
    return FindResolvedResource(m_module, RT_STRING, name);
}
