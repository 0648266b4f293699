#include "common/file_icon_win.h"

#include <shellapi.h>

#include "resources/ids/art_ids.h"
#include "win32/dialog.h"
#include "win32/handles.h"

int AddFileIcon(const std::string& path, HIMAGELIST images)
{
    SHFILEINFOA info{};
    win32::UniqueIcon icon;
    if (SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_ICON) && info.hIcon)
        icon.reset(info.hIcon);
    else
        icon.reset(static_cast<HICON>(LoadImageA(win32::ResourceModule(), MAKEINTRESOURCEA(IDI_DEFAULT_FILE),
                                                 IMAGE_ICON, 16, 16, 0)));
    if (!icon)
        return -1;
    return ImageList_ReplaceIcon(images, -1, icon.get());
}
