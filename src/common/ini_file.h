#pragma once
// Ini-form text file held in memory: the interface texts and the delayed start list.
// Names compare exactly and case-sensitively; nothing is trimmed.
#include <string>
#include <vector>

class CIniFile {
public:
    explicit CIniFile(std::string path);
    virtual ~CIniFile() = default;

    // Adds the file's entries to what is held. False when the file is missing or unreadable.
    bool Load();
    // Adds the entries of text in the file's form.
    void LoadText(const std::string& text);
    // Replaces the file with the held sections in one step: a failed write leaves it as it was.
    bool Save() const;
    // The held sections in the file's form.
    std::string SaveText() const;

    int GetSectionCount() const { return static_cast<int>(sections_.size()); }
    const std::string& GetSectionName(int index) const { return sections_[index].name; }
    std::string GetValue(const std::string& section, const std::string& key);
    bool SetValue(const std::string& section, const std::string& key, const std::string& value,
                  bool create = true);
    bool RemoveSection(const std::string& section);
    int FindSection(const std::string& section) const;
    int FindKey(int sectionIndex, const std::string& key) const;
    const std::string& GetLastError() const { return lastError_; }
    const std::string& GetPath() const { return path_; }

private:
    struct Section {
        std::string name;
        std::vector<std::string> keys;
        std::vector<std::string> values;
    };
    std::string path_;
    std::vector<Section> sections_;
    std::string lastError_;
};
