#include "app/texts/help_file.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace {

bool IsPlainChmName(std::string_view name)
{
    constexpr std::string_view kExtension = ".chm";
    constexpr std::string_view kNotInNames = "\\/:*?\"<>|";
    if (name.size() <= kExtension.size())
        return false;
    const bool plain = std::none_of(name.begin(), name.end(), [&](char c) {
        return static_cast<unsigned char>(c) < 0x20 || kNotInNames.find(c) != std::string_view::npos;
    });
    return plain && std::equal(kExtension.begin(), kExtension.end(), name.end() - kExtension.size(),
                               [](char lower, char c) { return std::tolower(static_cast<unsigned char>(c)) == lower; });
}

} // namespace

std::string HelpFileName(const std::string& text) { return IsPlainChmName(text) ? text : kDefaultHelpFile; }
