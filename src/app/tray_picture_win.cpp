#include "app/tray_picture_win.h"

#include <string>

#include "app/main_dlg_tray_text.h"
#include "memory/memory_cleaner.h"
#include "win32/dialog.h"
#include "win32/dpi.h"
#include "win32/handles.h"

namespace {

// GetIconInfo hands out two bitmaps the caller must delete.
struct IconBitmaps {
    ICONINFO info{};
    bool valid = false;
    explicit IconBitmaps(HICON icon) : valid(GetIconInfo(icon, &info) != FALSE) {}
    ~IconBitmaps()
    {
        if (info.hbmColor)
            DeleteObject(info.hbmColor);
        if (info.hbmMask)
            DeleteObject(info.hbmMask);
    }
    IconBitmaps(const IconBitmaps&) = delete;
    IconBitmaps& operator=(const IconBitmaps&) = delete;
};

} // namespace

HICON BuildTrayPicture(HWND window)
{
    MemoryStatus status;
    CMemoryCleaner::SampleStatus(status);
    return BuildTrayPicture(window, status, win32::SmallIconSize());
}

std::string TrayPictureName(const MemoryStatus& status, int size)
{
    return std::to_string(TrayBaseIcon(status)) + " " + TrayPictureText(status) + " " + std::to_string(size);
}

HICON BuildTrayPicture(HWND window, const MemoryStatus& status, int size)
{
    // Drawn at the size the tray shows, so the number is not shrunk into a blur.
    win32::UniqueIcon base(static_cast<HICON>(LoadImageA(win32::ResourceModule(), MAKEINTRESOURCEA(TrayBaseIcon(status)),
                                                         IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
    if (!base)
        return nullptr;
    const std::string text = TrayPictureText(status);

    win32::WindowDc windowDc(window);
    win32::UniqueMemoryDc dc(CreateCompatibleDC(windowDc.get()));
    win32::UniqueGdi<HBITMAP> picture(CreateCompatibleBitmap(windowDc.get(), size, size));
    if (!dc || !picture)
        return nullptr;
    {
        win32::SelectObjectScope bitmapScope(dc.get(), picture.get());
        DrawIconEx(dc.get(), 0, 0, base.get(), size, size, 0, nullptr, DI_NORMAL);
        // The number fills the lower five eighths, three quarters of the picture high.
        win32::UniqueGdi<HFONT> font(CreateFontA(size * 3 / 4, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                                OUT_STRING_PRECIS, CLIP_CHARACTER_PRECIS, DEFAULT_QUALITY,
                                                DEFAULT_PITCH, "Tahoma"));
        win32::SelectObjectScope fontScope(dc.get(), font.get());
        SetTextColor(dc.get(), RGB(0, 0, 0));
        SetBkMode(dc.get(), TRANSPARENT);
        RECT area{0, size * 3 / 8, size, size};
        DrawTextA(dc.get(), text.c_str(), -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    IconBitmaps bitmaps(base.get());
    if (!bitmaps.valid)
        return nullptr;
    ICONINFO info = bitmaps.info;
    info.fIcon = TRUE;
    info.hbmColor = picture.get();
    return CreateIconIndirect(&info);
}
