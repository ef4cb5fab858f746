// Where the language libraries that could supply every resource in place of the executable
// are looked for, in the order they are tried.
//
// A library sits beside the executable under the executable's name, its extension replaced by
// a three-letter language abbreviation and ".dll" (Kestrum.exe, KestrumDEU.dll).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// An executable path this long or longer gets no language library at all.
constexpr std::size_t kLanguageLibraryExecutablePathLimit = 260;
// The longest library name that is tried.
constexpr std::size_t kLanguageLibraryNameLimit = 273;

// The platform's abbreviated language name of the default locale of `language`, or empty when
// that locale has none.
using LanguageAbbreviation = std::function<std::u16string(std::uint16_t language)>;

// The library names to try, first to last, without repeats: the user's user-interface
// language and its primary language, the system's user-interface language and its primary
// language, then the system default locale under the fixed abbreviation "LOC".
std::vector<std::u16string> LanguageLibraryPaths(std::u16string_view executablePath,
                                                 std::uint16_t userInterfaceLanguage,
                                                 std::uint16_t systemInterfaceLanguage,
                                                 const LanguageAbbreviation& abbreviationOf);
