#include "common/user_environment.h"

#include <algorithm>

namespace {

bool SameName(std::string_view a, std::string_view b)
{
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

} // namespace

UserEnvironment::UserEnvironment(const std::vector<std::string>& entries)
{
    for (const std::string& entry : entries) {
        const size_t equals = entry.find('=');
        if (equals == std::string::npos || equals == 0)
            continue;
        variables_.emplace_back(entry.substr(0, equals), entry.substr(equals + 1));
    }
}

std::optional<std::string> UserEnvironment::Find(std::string_view name) const
{
    for (const auto& [key, value] : variables_)
        if (SameName(key, name))
            return value;
    return std::nullopt;
}

std::string UserEnvironment::Expand(std::string_view text) const
{
    std::string out;
    size_t at = 0;
    while (at < text.size()) {
        const size_t open = text.find('%', at);
        const size_t close = open == std::string_view::npos ? open : text.find('%', open + 1);
        if (close == std::string_view::npos) {
            out.append(text.substr(at));
            break;
        }
        out.append(text.substr(at, open - at));
        const std::string_view name = text.substr(open + 1, close - open - 1);
        const std::optional<std::string> value = name.empty() ? std::nullopt : Find(name);
        out.append(value ? std::string_view(*value) : text.substr(open, close - open + 1));
        at = close + 1;
    }
    return out;
}
