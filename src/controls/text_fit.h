#pragma once
// Cuts UTF-8 text to fit a fixed-size character field without splitting a character.
#include <cstddef>
#include <string>

namespace controls {

// The longest prefix of `text` of at most `maxBytes` bytes that ends on a character boundary.
std::string CutUtf8(const std::string& text, std::size_t maxBytes);

} // namespace controls
