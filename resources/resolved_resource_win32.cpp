#include "resources/resolved_resource_win32.h"

#include <cstdint>
#include <optional>
#include <vector>

#include "resources/dib_header.h"
#include "resources/language_resolution.h"

namespace {

BOOL CALLBACK CollectLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR languages) {
    reinterpret_cast<std::vector<std::uint16_t>*>(languages)->push_back(language);
    return TRUE;
}

std::vector<std::uint16_t> LanguagesOf(HMODULE module, LPCWSTR type, LPCWSTR name) {
    std::vector<std::uint16_t> languages;
    // Fails, and leaves the list empty, when the module has no such resource at all.
    EnumResourceLanguagesW(module, type, name, CollectLanguage,
                           reinterpret_cast<LONG_PTR>(&languages));
    return languages;
}

// The fixed part of an icon group and its entries, as stored in the resource; the platform's
// chooser reads `count` entries without knowing the resource's size, so the count is checked
// against the bytes first.
constexpr std::size_t kIconGroupHeaderSize = 6;
constexpr std::size_t kIconGroupEntrySize = 14;
constexpr std::uint16_t kIconGroupTypeIcon = 1;

std::uint16_t ReadUnit(std::span<const std::byte> bytes, std::size_t offset) {
    return static_cast<std::uint16_t>(std::to_integer<unsigned>(bytes[offset]) |
                                      std::to_integer<unsigned>(bytes[offset + 1]) << 8);
}

bool IsWellFormedIconGroup(std::span<const std::byte> group) {
    if (group.size() < kIconGroupHeaderSize) return false;
    const std::uint16_t reserved = ReadUnit(group, 0);
    const std::uint16_t type = ReadUnit(group, 2);
    const std::size_t count = ReadUnit(group, 4);
    return reserved == 0 && type == kIconGroupTypeIcon && count > 0 &&
           group.size() >= kIconGroupHeaderSize + count * kIconGroupEntrySize;
}

// The platform's resource functions take a mutable pointer to data they only read.
PBYTE MutableBytes(std::span<const std::byte> bytes) {
    return reinterpret_cast<PBYTE>(const_cast<std::byte*>(bytes.data()));
}

}  // namespace

std::span<const std::byte> ResourceBytes(HMODULE module, HRSRC info) {
    HGLOBAL loaded = info != nullptr ? LoadResource(module, info) : nullptr;
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (data == nullptr) return {};
    return {static_cast<const std::byte*>(data), SizeofResource(module, info)};
}

std::span<const std::byte> FindResolvedResource(HMODULE module, LPCWSTR type, LPCWSTR name) {
    return FindResolvedResource(module, type, name, GetUserDefaultUILanguage());
}

std::span<const std::byte> FindResolvedResource(HMODULE module, LPCWSTR type, LPCWSTR name,
                                                LANGID userInterfaceLanguage) {
    const std::uint16_t language =
        ResolveLanguage(userInterfaceLanguage, LanguagesOf(module, type, name));
    if (language == 0) return {};
    return ResourceBytes(module, FindResourceExW(module, type, name, language));
}

HBITMAP LoadResolvedBitmap(HMODULE module, UINT id) {
    const std::span<const std::byte> bytes =
        FindResolvedResource(module, RT_BITMAP, MAKEINTRESOURCEW(id));
    const std::optional<DibHeader> dib = ParseDibHeader(bytes);
    if (!dib) return nullptr;
    // Resource data is aligned to four bytes in the image, so the header can be read in place.
    const auto* info = reinterpret_cast<const BITMAPINFO*>(bytes.data());
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateDIBitmap(screen, &info->bmiHeader, CBM_INIT,
                                    bytes.data() + dib->bitsOffset, info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

HICON LoadResolvedIcon(HMODULE module, UINT id, int size) {
    const std::span<const std::byte> group =
        FindResolvedResource(module, RT_GROUP_ICON, MAKEINTRESOURCEW(id));
    if (!IsWellFormedIconGroup(group)) return nullptr;
    const int imageId =
        LookupIconIdFromDirectoryEx(MutableBytes(group), TRUE, size, size, LR_DEFAULTCOLOR);
    if (imageId <= 0) return nullptr;
    const std::span<const std::byte> image =
        FindResolvedResource(module, RT_ICON, MAKEINTRESOURCEW(imageId));
    if (image.empty()) return nullptr;
    constexpr DWORD kIconFormatVersion = 0x00030000;
    return CreateIconFromResourceEx(MutableBytes(image), static_cast<DWORD>(image.size()), TRUE,
                                    kIconFormatVersion, size, size, LR_DEFAULTCOLOR);
}
