#include "common/ini_file.h"

#include "common/file_bytes.h"
#include "common/ini_text.h"

CIniFile::CIniFile(std::string path) : path_(std::move(path)) {}

bool CIniFile::Load()
{
    std::string text;
    switch (ReadFileBytes(path_, text)) {
    case FileRead::Missing:
        return false;
    case FileRead::Unreadable:
        lastError_ = "Unable to open ini file.";
        return false;
    case FileRead::Ok:
        break;
    }
    LoadText(text);
    return true;
}

void CIniFile::LoadText(const std::string& text)
{
    std::string current;
    ForEachIniLine(text, [&](const IniLine& line) {
        if (line.header)
            current = line.section;
        else
            SetValue(current, line.key, line.value, true);
    });
}

bool CIniFile::Save() const { return ReplaceFileBytes(path_, SaveText()); }

std::string CIniFile::SaveText() const
{
    std::string out;
    for (const Section& s : sections_) {
        if (s.keys.empty())
            continue;
        out.append("[").append(s.name).append("]\r\n");
        for (size_t i = 0; i < s.keys.size(); ++i)
            out.append(s.keys[i]).append("=").append(s.values[i]).append("\r\n");
        out.append("\r\n");
    }
    return out;
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
