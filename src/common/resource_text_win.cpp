#include "common/resource_text.h"

#include "common/ini_file.h"
#include "common/module_path.h"

CResourceText::CResourceText() = default;
CResourceText::~CResourceText() = default;

std::string CResourceText::GetText(const std::string& fileName, const std::string& key)
{
    const std::string path = GetModulePath(fileName);
    if (!file_ || path != path_) {
        path_ = path;
        file_ = std::make_unique<CIniFile>(path);
        file_->Load();
    }
    return file_->GetValue("Resource", key);
}

std::string UiText(const std::string& key)
{
    return CResourceText().Text(key);
}
