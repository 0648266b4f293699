#pragma once
// Which help file the interface's language opens. Free of any window, so tested natively.
#include <string>

// The help file every installation has, in English.
inline constexpr const char* kDefaultHelpFile = "Kelvane Help.chm";

// The file named by the interface texts (key strHelpFile), when it is a plain .chm name in the
// program's folder; otherwise the default. Tidewell runs elevated and Kelvane.ini may lie in a
// folder plain users can change, so the text never names a program or a path elsewhere.
std::string HelpFileName(const std::string& text);
