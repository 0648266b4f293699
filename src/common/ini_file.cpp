#include "common/ini_file.h"

#include <filesystem>
#include <fstream>
#include <system_error>

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

// Reads up to LF; the CR of a CR LF pair is dropped. Lines of any length come back whole.
bool ReadLine(std::istream& in, std::string& line)
{
    if (!std::getline(in, line))
        return false;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return true;
}

// Paths are UTF-8, as every text of the program.
std::filesystem::path Utf8Path(const std::string& path)
{
    return std::filesystem::path(std::u8string(path.begin(), path.end()));
}

} // namespace

CIniFile::CIniFile(std::string path) : path_(std::move(path)) {}

bool CIniFile::Load()
{
    std::error_code ec;
    if (!std::filesystem::exists(Utf8Path(path_), ec))
        return false;
    std::ifstream in(Utf8Path(path_), std::ios::binary);
    if (!in.good()) {
        lastError_ = "Unable to open ini file.";
        return false;
    }
    std::string current;
    std::string line;
    bool firstLine = true;
    while (ReadLine(in, line)) {
        if (firstLine && line.compare(0, 3, "\xEF\xBB\xBF") == 0)
            line.erase(0, 3);
        firstLine = false;
        if (!line.empty())
            ParseLine(line, current);
    }
    return true;
}

void CIniFile::ParseLine(const std::string& line, std::string& current)
{
    if (IsSectionHeader(line)) {
        current = SectionName(line);
        return;
    }
    const auto eq = line.find('=');
    if (eq == std::string::npos)
        SetValue(current, std::string(), line.substr(1), true);
    else
        SetValue(current, line.substr(0, eq), line.substr(eq + 1), true);
}

void CIniFile::Save() const
{
    std::ofstream out(Utf8Path(path_), std::ios::binary | std::ios::trunc);
    for (const Section& s : sections_) {
        if (s.keys.empty())
            continue;
        out << '[' << s.name << "]\r\n";
        for (size_t i = 0; i < s.keys.size(); ++i)
            out << s.keys[i] << '=' << s.values[i] << "\r\n";
        out << "\r\n";
    }
}

std::string CIniFile::GetValue(const std::string& section, const std::string& key)
{
    const int s = FindSection(section);
    if (s < 0) {
        lastError_ = "Unable to locate specified key.";
        return {};
    }
    const int k = FindKey(s, key);
    if (k < 0) {
        lastError_ = "Unable to locate specified value.";
        return {};
    }
    return sections_[s].values[k];
}

bool CIniFile::SetValue(const std::string& section, const std::string& key,
                        const std::string& value, bool create)
{
    int s = FindSection(section);
    if (s < 0) {
        if (!create)
            return false;
        sections_.push_back(Section{section, {}, {}});
        s = GetSectionCount() - 1;
    }
    Section& target = sections_[s];
    const int k = FindKey(s, key);
    if (k >= 0) {
        target.values[k] = value;
        return true;
    }
    if (!create)
        return false;
    target.keys.push_back(key);
    target.values.push_back(value);
    return true;
}

bool CIniFile::RemoveSection(const std::string& section)
{
    const int s = FindSection(section);
    if (s < 0)
        return false;
    sections_.erase(sections_.begin() + s);
    return true;
}

int CIniFile::FindSection(const std::string& section) const
{
    for (size_t i = 0; i < sections_.size(); ++i)
        if (sections_[i].name == section)
            return static_cast<int>(i);
    return -1;
}

int CIniFile::FindKey(int sectionIndex, const std::string& key) const
{
    if (sectionIndex < 0 || sectionIndex >= GetSectionCount())
        return -1;
    const auto& keys = sections_[sectionIndex].keys;
    for (size_t i = 0; i < keys.size(); ++i)
        if (keys[i] == key)
            return static_cast<int>(i);
    return -1;
}
