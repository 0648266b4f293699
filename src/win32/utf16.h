#pragma once
// The program's UTF-8 text and the system's UTF-16 text, for the calls that have no ANSI form.
// Both directions keep every UTF-16 unit: an unpaired surrogate, which UTF-8 cannot carry, is held
// as the three bytes its code point would take (the form called WTF-8), so a name read from the
// system goes back to it exactly. Such bytes are no UTF-8: whatever shows them draws U+FFFD.
#include <string>
#include <string_view>

namespace win32 {

std::wstring Utf16(std::string_view utf8);
std::string Utf8(std::wstring_view utf16);

} // namespace win32
