#pragma once
// The line rules every ini reader of the program shares. A line ends at LF (a CR before it is
// dropped); empty lines are skipped; a line that starts with '[' and ends with ']' names a section
// (every leading '[' and trailing ']' removed); any other line splits at its first '='. A line
// without '=' has the empty key and the line minus its first character as value. A UTF-8 byte
// order mark at the start is skipped.
#include <functional>
#include <string>

struct IniLine {
    bool header = false;
    std::string section; // headers only
    std::string key;     // entries only
    std::string value;
};

void ForEachIniLine(const std::string& text, const std::function<void(const IniLine&)>& visit);
