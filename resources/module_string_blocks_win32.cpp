#include "resources/module_string_blocks_win32.h"

std::span<const std::byte> ModuleStringBlocks::FindBlock(std::uint16_t blockNumber) const {
    HRSRC info = FindResourceW(m_module, MAKEINTRESOURCEW(blockNumber), MAKEINTRESOURCEW(6));
    if (info == nullptr) return {};
    HGLOBAL loaded = LoadResource(m_module, info);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (data == nullptr) return {};
    return {static_cast<const std::byte*>(data), SizeofResource(m_module, info)};
}
