#pragma once
// The program's UTF-8 text and the system's UTF-16 text, for the calls that have no ANSI form.
#include <string>
#include <string_view>

namespace win32 {

std::wstring Utf16(std::string_view utf8);
std::string Utf8(std::wstring_view utf16);

} // namespace win32
