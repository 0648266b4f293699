#include "common/file_icon_win.h"

#include <shellapi.h>

#include "resources/ids/art_ids.h"
#include "win32/handles.h"

std::string UnquotedIconPath(const std::string& path)
{
    if (path.find('"') == std::string::npos)
        return path;
    if (path.size() < 2)
        return {};
    const auto close = path.find('"', 1);
    return path.substr(1, close == std::string::npos ? std::string::npos : close - 1);
}

int AddFileIcon(const std::string& path, HIMAGELIST images)
{
    const std::string file = UnquotedIconPath(path);
    win32::UniqueIcon icon;
    SHFILEINFOA info{};
    if (!file.empty() && SHGetFileInfoA(file.c_str(), 0, &info, sizeof(info), SHGFI_ICON) && info.hIcon)
        icon.reset(info.hIcon);
    if (!icon && !file.empty()) {
        // ExtractIconA answers 1 for a file that is not a program or icon file.
        HICON first = ExtractIconA(GetModuleHandleA(nullptr), file.c_str(), 0);
        if (reinterpret_cast<UINT_PTR>(first) > 1)
            icon.reset(first);
    }
    if (!icon)
        icon.reset(static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_DEFAULT_FILE),
                                                 IMAGE_ICON, 16, 16, 0)));
    if (!icon)
        return -1;
    return ImageList_ReplaceIcon(images, -1, icon.get());
}
