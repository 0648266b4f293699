#include "common/spoken_text.h"

#include <cctype>

namespace {

// Bytes of the UTF-8 character that starts at `i`.
std::size_t CharacterLength(const std::string& text, std::size_t i)
{
    std::size_t length = 1;
    while (i + length < text.size() && (static_cast<unsigned char>(text[i + length]) & 0xC0) == 0x80)
        ++length;
    return length;
}

} // namespace

std::string WithoutMnemonic(const std::string& text)
{
    std::string drawn;
    drawn.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 2, "(&") == 0 && i + 3 < text.size() && text[i + 3] == ')') {
            i += 3; // "(&C)": nothing of it is words
            continue;
        }
        if (text[i] == '&' && i + 1 < text.size())
            ++i; // the mark goes; after "&&" the second one stays
        drawn += text[i];
    }
    return drawn;
}

std::string MnemonicOf(const std::string& text)
{
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&')
            continue;
        if (text[i + 1] == '&') {
            ++i;
            continue;
        }
        std::string key = text.substr(i + 1, CharacterLength(text, i + 1));
        if (key.size() == 1)
            key[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(key[0])));
        return key;
    }
    return {};
}

std::string SpokenText(const std::string& text)
{
    const std::string drawn = WithoutMnemonic(text);
    const auto first = drawn.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return drawn.substr(first, drawn.find_last_not_of(" \t") - first + 1);
}
