#include "common/ini_text.h"

namespace {

bool IsSectionHeader(const std::string& line)
{
    return line.size() >= 2 && line.front() == '[' && line.back() == ']';
}

// "[[Name]]" names the same section as "[Name]".
std::string SectionName(const std::string& header)
{
    const auto first = header.find_first_not_of('[');
    const auto last = header.find_last_not_of(']');
    if (first == std::string::npos || last == std::string::npos || last < first)
        return {};
    return header.substr(first, last - first + 1);
}

void ParseLine(const std::string& line, IniLine& parsed)
{
    parsed = IniLine{};
    if (IsSectionHeader(line)) {
        parsed.header = true;
        parsed.section = SectionName(line);
        return;
    }
    const auto eq = line.find('=');
    if (eq == std::string::npos) {
        parsed.value = line.substr(1);
    } else {
        parsed.key = line.substr(0, eq);
        parsed.value = line.substr(eq + 1);
    }
}

} // namespace

void ForEachIniLine(const std::string& text, const std::function<void(const IniLine&)>& visit)
{
    size_t start = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    IniLine parsed;
    std::string line;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        line.assign(text, start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            continue;
        ParseLine(line, parsed);
        visit(parsed);
    }
}
