#include "common/resource_text.h"

#include <mutex>
#include <optional>

#include "common/ini_file.h"
#include "common/interface_language.h"
#include "common/module_path.h"

namespace {

std::mutex languageLock;
std::string& ChosenLanguage()
{
    static std::string folder;
    return folder;
}

} // namespace

CResourceText::CResourceText() = default;
CResourceText::~CResourceText() = default;

std::string CResourceText::GetText(const std::string& fileName, const std::string& key)
{
    const std::string path = GetModulePath(fileName);
    if (!file_ || path != path_) {
        path_ = path;
        file_ = std::make_unique<CIniFile>(path);
        file_->Load();
        translated_.reset();
        language_ = fileName == kInterfaceTextFile ? InterfaceLanguage() : std::string();
        if (!language_.empty()) {
            translated_ = std::make_unique<CIniFile>(LanguageTextFile(language_));
            translated_->Load();
        }
    }
    const std::string english = file_->GetValue("Resource", key);
    if (!translated_)
        return english;
    const int section = translated_->FindSection("Resource");
    const bool present = section >= 0 && translated_->FindKey(section, key) >= 0;
    return ChooseText(present ? std::optional(translated_->GetValue("Resource", key)) : std::nullopt, english);
}

std::string UiText(const std::string& key)
{
    return CResourceText().Text(key);
}

void SetInterfaceLanguage(const std::string& folder)
{
    const std::lock_guard<std::mutex> guard(languageLock);
    ChosenLanguage() = IsLanguageFolderName(folder) ? folder : std::string();
}

std::string InterfaceLanguage()
{
    const std::lock_guard<std::mutex> guard(languageLock);
    return ChosenLanguage();
}

std::string LanguageTextFile(const std::string& folder)
{
    return folder.empty() ? GetModulePath(kInterfaceTextFile)
                          : GetModulePath("lang\\" + folder + "\\" + kInterfaceTextFile);
}
