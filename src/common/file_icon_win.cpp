#include "common/file_icon_win.h"

#include <shellapi.h>

#include "common/protected_place_win.h"
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
    // Only a file only administrators can change is opened for its icon, and only as data: the
    // shell's icon for a file type may come from a handler the user's own classes name, which would
    // load into this elevated process.
    HICON small = nullptr;
    if (!file.empty() && CheckPlace(file).verdict == PlaceVerdict::Protected &&
        ExtractIconExA(file.c_str(), 0, nullptr, &small, 1) == 1 && small)
        icon.reset(small);
    if (!icon)
        icon.reset(static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_DEFAULT_FILE),
                                                 IMAGE_ICON, 16, 16, 0)));
    if (!icon)
        return -1;
    return ImageList_ReplaceIcon(images, -1, icon.get());
}
