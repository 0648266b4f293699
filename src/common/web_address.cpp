#include "common/web_address.h"

#include <algorithm>

namespace {

bool StartsWithoutCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), text.begin(), [](char p, char c) {
               return p == (c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
           });
}

} // namespace

bool IsOpenableAddress(std::string_view target)
{
    size_t scheme = 0;
    for (const std::string_view prefix : {"http://", "https://", "mailto:"})
        if (StartsWithoutCase(target, prefix))
            scheme = prefix.size();
    const auto unsafe = [](char c) { return static_cast<unsigned char>(c) <= 0x20 || c == '"' || c == 0x7F; };
    return scheme > 0 && target.size() > scheme && std::none_of(target.begin(), target.end(), unsafe);
}
