#include "resources/language_resolution.h"

#include <algorithm>

std::uint16_t ResolveLanguage(std::uint16_t userInterfaceLanguage,
                              std::span<const std::uint16_t> available) {
    constexpr std::uint16_t kPrimaryLanguageMask = 0x03FF;
    constexpr std::uint16_t kEnglishUnitedStates = 0x0409;
    const std::uint16_t candidates[] = {
        userInterfaceLanguage,
        static_cast<std::uint16_t>(userInterfaceLanguage & kPrimaryLanguageMask),
        kEnglishUnitedStates,
    };
    for (std::uint16_t candidate : candidates) {
        if (std::find(available.begin(), available.end(), candidate) != available.end()) {
            return candidate;
        }
    }
    return 0;
}
