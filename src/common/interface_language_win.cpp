#include "common/interface_language_win.h"

#include <windows.h>

#include <algorithm>

#include "common/ini_file.h"
#include "common/interface_language.h"
#include "common/module_path.h"
#include "common/resource_text.h"
#include "win32/handles.h"
#include "win32/utf16.h"

namespace {

std::string OwnName(const std::string& folder)
{
    CIniFile file(LanguageTextFile(folder));
    if (!file.Load())
        return {};
    const std::string name = file.GetValue("Resource", "LanguageName");
    return name.empty() ? (folder.empty() ? "English" : folder) : name;
}

} // namespace

std::vector<LanguageFile> AvailableLanguages()
{
    std::vector<LanguageFile> languages{{std::string(), OwnName(std::string())}};
    std::vector<std::string> folders;
    WIN32_FIND_DATAA found{};
    win32::UniqueFind find(FindFirstFileA(GetModulePath("lang\\*").c_str(), &found));
    if (find) {
        do {
            const std::string folder = found.cFileName;
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && IsLanguageFolderName(folder))
                folders.push_back(folder);
        } while (FindNextFileA(find.get(), &found));
    }
    std::ranges::sort(folders);
    for (const std::string& folder : folders)
        if (std::string name = OwnName(folder); !name.empty())
            languages.push_back({folder, std::move(name)});
    return languages;
}

std::vector<std::string> PreferredUiLanguages()
{
    ULONG count = 0, size = 0;
    if (!GetUserPreferredUILanguages(MUI_LANGUAGE_NAME, &count, nullptr, &size) || size == 0)
        return {};
    std::wstring names(size, L'\0');
    if (!GetUserPreferredUILanguages(MUI_LANGUAGE_NAME, &count, names.data(), &size))
        return {};
    std::vector<std::string> languages;
    for (const wchar_t* name = names.c_str(); *name; name += wcslen(name) + 1)
        languages.push_back(win32::Utf8(name));
    return languages;
}
