// Resources read from a module in the language the current user interface resolves to, decided
// from the exact list of languages the module holds for that resource: the platform's own
// lookup would fall back to other languages by itself and could mix a page from two of them.
//
// The module may be a language library loaded as a data file, whose code never runs, so nothing
// here relies on the platform's loaders for bitmaps and icons; every image is built from the
// resource bytes after they are checked.
#pragma once

#include <windows.h>

#include <cstddef>
#include <span>

// The bytes of a resource already found, or an empty span when `info` is null or the data
// cannot be loaded.
std::span<const std::byte> ResourceBytes(HMODULE module, HRSRC info);

// The bytes of one resource, or an empty span when no language of it resolves.
std::span<const std::byte> FindResolvedResource(HMODULE module, LPCWSTR type, LPCWSTR name);

// The same, resolved for a given user-interface language instead of the current one.
std::span<const std::byte> FindResolvedResource(HMODULE module, LPCWSTR type, LPCWSTR name,
                                                LANGID userInterfaceLanguage);

// A device-dependent bitmap made from a bitmap resource, or null when it is missing or its
// bytes are not a well-formed device-independent bitmap. The caller deletes it.
HBITMAP LoadResolvedBitmap(HMODULE module, UINT id);

// The image of an icon group that best fits `size` pixels square, or null. The caller
// destroys it.
HICON LoadResolvedIcon(HMODULE module, UINT id, int size);
