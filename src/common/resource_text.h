#pragma once
// Looks texts up in section "Resource" of the interface text file beside the program.
#include <functional>
#include <memory>
#include <string>

class CIniFile;

inline constexpr const char* kInterfaceTextFile = "Kelvane.ini";

class CResourceText {
public:
    CResourceText();
    ~CResourceText();
    CResourceText(const CResourceText&) = delete;
    CResourceText& operator=(const CResourceText&) = delete;

    // Empty text when the file or the key is missing. The file is read once per object, so a
    // dialog's many lookups cost one parse and an edited file shows the next time it opens.
    std::string GetText(const std::string& fileName, const std::string& key);
    std::string Text(const std::string& key) { return GetText(kInterfaceTextFile, key); }
    // For a text that was fixed English before it had a key: a Kelvane.ini older than the key
    // shows that English rather than nothing.
    std::string TextOr(const std::string& key, const std::string& english)
    {
        std::string text = Text(key);
        return text.empty() ? english : text;
    }
    // Text as a function, for code that only looks texts up; valid while this object lives.
    std::function<std::string(const std::string&)> Lookup()
    {
        return [this](const std::string& key) { return Text(key); };
    }

private:
    std::string path_;
    std::unique_ptr<CIniFile> file_;
};

// One lookup in Kelvane.ini, for places that need a single text.
std::string UiText(const std::string& key);
