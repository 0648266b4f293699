#include "common/interface_language.h"

#include <algorithm>
#include <cctype>
#include <set>

namespace {

std::string Lower(std::string text)
{
    std::ranges::transform(text, text.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string Primary(const std::string& tag) { return Lower(tag.substr(0, tag.find('-'))); }

// The tag lang\ would name a Chinese variant by: its script decides, else its region.
std::string ChineseFolder(const std::string& tag)
{
    const std::string lower = Lower(tag);
    if (lower.find("-hant") != std::string::npos || lower == "zh-tw" || lower == "zh-hk" || lower == "zh-mo")
        return "zh-TW";
    return "zh-CN";
}

} // namespace

bool IsLanguageFolderName(const std::string& name)
{
    return !name.empty() && name.size() <= 16 && name.front() != '-' &&
           std::ranges::all_of(name, [](unsigned char c) { return std::isalnum(c) || c == '-'; });
}

std::string PickLanguage(const std::vector<std::string>& preferred, const std::vector<std::string>& available)
{
    const auto find = [&](const std::string& wanted) -> std::string {
        for (const std::string& folder : available)
            if (Lower(folder) == Lower(wanted))
                return folder;
        return {};
    };
    for (const std::string& tag : preferred) {
        if (tag.empty())
            continue;
        const std::string candidates[] = {tag, Primary(tag) == "zh" ? ChineseFolder(tag) : tag.substr(0, tag.find('-'))};
        for (const std::string& candidate : candidates)
            if (std::string found = find(candidate); !found.empty())
                return found;
        for (const std::string& folder : available)
            if (Primary(folder) == Primary(tag))
                return folder;
    }
    return {};
}

std::vector<int> PlaceholdersOf(const std::string& text)
{
    std::set<int> numbers;
    for (size_t open = text.find('{'); open != std::string::npos; open = text.find('{', open + 1)) {
        const size_t close = text.find('}', open);
        if (close == std::string::npos || close == open + 1 || close - open > 3)
            continue;
        const std::string digits = text.substr(open + 1, close - open - 1);
        if (std::ranges::all_of(digits, [](unsigned char c) { return std::isdigit(c); }))
            numbers.insert(std::stoi(digits));
    }
    return {numbers.begin(), numbers.end()};
}

std::string ChooseText(const std::optional<std::string>& translated, const std::string& english)
{
    if (!translated || translated->empty() || PlaceholdersOf(*translated) != PlaceholdersOf(english))
        return english;
    return *translated;
}
