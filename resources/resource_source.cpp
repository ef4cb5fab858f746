#include "resources/resource_source.h"

#include <algorithm>
#include <optional>

namespace {

constexpr std::uint16_t kPrimaryLanguageMask = 0x03FF;
// The system default locale (0x0800) is not asked for its name: its library is always this.
constexpr std::u16string_view kSystemDefaultAbbreviation = u"LOC";
constexpr std::u16string_view kLibraryExtension = u".dll";

std::optional<std::u16string> LibraryPath(std::u16string_view executablePath,
                                          std::u16string_view abbreviation) {
    if (abbreviation.empty()) return std::nullopt;
    const std::size_t nameStart = executablePath.find_last_of(u"\\/");
    const std::size_t dot = executablePath.rfind(u'.');
    const bool hasExtension = dot != std::u16string_view::npos &&
                              (nameStart == std::u16string_view::npos || dot > nameStart);
    std::u16string path(hasExtension ? executablePath.substr(0, dot) : executablePath);
    path.append(abbreviation).append(kLibraryExtension);
    if (path.size() > kLanguageLibraryNameLimit) return std::nullopt;
    return path;
}

}  // namespace

std::vector<std::u16string> LanguageLibraryPaths(std::u16string_view executablePath,
                                                 std::uint16_t userInterfaceLanguage,
                                                 std::uint16_t systemInterfaceLanguage,
                                                 const LanguageAbbreviation& abbreviationOf) {
    std::vector<std::u16string> paths;
    if (executablePath.size() >= kLanguageLibraryExecutablePathLimit) return paths;
    const auto tryLater = [&](std::optional<std::u16string> path) {
        if (path && std::find(paths.begin(), paths.end(), *path) == paths.end()) {
            paths.push_back(std::move(*path));
        }
    };
    for (std::uint16_t language :
         {userInterfaceLanguage,
          static_cast<std::uint16_t>(userInterfaceLanguage & kPrimaryLanguageMask),
          systemInterfaceLanguage,
          static_cast<std::uint16_t>(systemInterfaceLanguage & kPrimaryLanguageMask)}) {
        tryLater(LibraryPath(executablePath, abbreviationOf(language)));
    }
    tryLater(LibraryPath(executablePath, kSystemDefaultAbbreviation));
    return paths;
}
