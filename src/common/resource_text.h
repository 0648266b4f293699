#pragma once
// Looks texts up in section "Resource" of the interface text file beside the program, or of the
// chosen language's file under lang\, which falls back to the one beside the program for any key
// it lacks or holds damaged (see ChooseText).
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
    std::string language_;              // the language file_'s companion was read for
    std::unique_ptr<CIniFile> translated_;
};

// The language the interface speaks: a folder under lang\, or empty for the file beside the
// program. Process-wide: every window looks its texts up in it; set at start and when the user
// chooses, on the window's thread.
void SetInterfaceLanguage(const std::string& folder);
std::string InterfaceLanguage();
// The texts file of a language, empty for the one beside the program.
std::string LanguageTextFile(const std::string& folder);

// One lookup in Kelvane.ini, for places that need a single text.
std::string UiText(const std::string& key);
