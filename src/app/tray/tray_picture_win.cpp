#include "app/tray/tray_picture_win.h"

#include <string>

#include "app/texts/tray_texts.h"
#include "win32/dialog.h"
#include "win32/handles.h"

// A base icon at the picture's size, with the two bitmaps GetIconInfo hands out for its owner to
// delete.
struct CTrayPicturePainter::Base {
    win32::UniqueIcon icon;
    ICONINFO info{};
    bool valid = false;
    explicit Base(HICON loaded) : icon(loaded), valid(loaded && GetIconInfo(loaded, &info) != FALSE) {}
    ~Base()
    {
        if (info.hbmColor)
            DeleteObject(info.hbmColor);
        if (info.hbmMask)
            DeleteObject(info.hbmMask);
    }
    Base(const Base&) = delete;
    Base& operator=(const Base&) = delete;
};

CTrayPicturePainter::CTrayPicturePainter() = default;
CTrayPicturePainter::~CTrayPicturePainter() = default;

bool CTrayPicturePainter::Prepare(HWND window, int size)
{
    if (dc_ && picture_ && font_ && size_ == size)
        return true;
    bases_.clear();
    win32::WindowDc windowDc(window);
    if (!dc_)
        dc_.reset(CreateCompatibleDC(windowDc.get()));
    picture_.reset(CreateCompatibleBitmap(windowDc.get(), size, size));
    // The number fills the lower five eighths, three quarters of the picture high.
    font_.reset(CreateFontA(size * 3 / 4, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_STRING_PRECIS,
                            CLIP_CHARACTER_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "Tahoma"));
    size_ = size;
    return dc_ && picture_ && font_;
}

HICON CTrayPicturePainter::Build(HWND window, const MemoryStatus& status, int size)
{
    if (size <= 0 || !Prepare(window, size))
        return nullptr;
    const int baseId = TrayBaseIcon(status);
    auto& base = bases_[baseId];
    if (!base) {
        // Drawn at the size the tray shows, so the number is not shrunk into a blur.
        base = std::make_unique<Base>(static_cast<HICON>(
            LoadImageA(win32::ResourceModule(), MAKEINTRESOURCEA(baseId), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
    }
    if (!base->valid) {
        bases_.erase(baseId);
        return nullptr;
    }
    const std::string text = TrayPictureText(status);
    {
        win32::SelectObjectScope bitmapScope(dc_.get(), picture_.get());
        // The icon's soft edge is drawn on black, as on a new bitmap.
        PatBlt(dc_.get(), 0, 0, size, size, BLACKNESS);
        DrawIconEx(dc_.get(), 0, 0, base->icon.get(), size, size, 0, nullptr, DI_NORMAL);
        win32::SelectObjectScope fontScope(dc_.get(), font_.get());
        SetTextColor(dc_.get(), RGB(0, 0, 0));
        SetBkMode(dc_.get(), TRANSPARENT);
        RECT area{0, size * 3 / 8, size, size};
        DrawTextA(dc_.get(), text.c_str(), -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    // The picture is no longer selected: the icon takes copies of both bitmaps.
    ICONINFO info = base->info;
    info.fIcon = TRUE;
    info.hbmColor = picture_.get();
    return CreateIconIndirect(&info);
}

std::shared_ptr<const win32::UniqueIcon> CTrayPicturePainter::Picture(HWND window, const MemoryStatus& status,
                                                                     int size)
{
    constexpr size_t kKept = 8;
    const std::string name = TrayPictureName(status, size);
    for (auto kept = recent_.begin(); kept != recent_.end(); ++kept) {
        if (kept->first == name) {
            recent_.splice(recent_.begin(), recent_, kept);
            return kept->second;
        }
    }
    win32::UniqueIcon made(Build(window, status, size));
    if (!made)
        return nullptr;
    recent_.emplace_front(name, std::make_shared<const win32::UniqueIcon>(std::move(made)));
    if (recent_.size() > kKept)
        recent_.pop_back();
    return recent_.front().second;
}

std::string TrayPictureName(const MemoryStatus& status, int size)
{
    return std::to_string(TrayBaseIcon(status)) + " " + TrayPictureText(status) + " " + std::to_string(size);
}

HICON BuildTrayPicture(HWND window, const MemoryStatus& status, int size)
{
    CTrayPicturePainter painter;
    return painter.Build(window, status, size);
}
