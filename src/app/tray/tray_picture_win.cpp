#include "app/tray/tray_picture_win.h"

#include <algorithm>
#include <string>
#include <vector>

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
    BITMAPINFO layout{};
    layout.bmiHeader = {sizeof(BITMAPINFOHEADER), size, -size, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    picture_.reset(CreateDIBSection(windowDc.get(), &layout, DIB_RGB_COLORS, &bits, nullptr, 0));
    pixels_ = static_cast<std::uint32_t*>(bits);
    // The number fills the lower five eighths, three quarters of the picture high.
    font_.reset(CreateFontA(size * 3 / 4, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_STRING_PRECIS,
                            CLIP_CHARACTER_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "Tahoma"));
    size_ = size;
    return dc_ && picture_ && font_;
}

void CTrayPicturePainter::SetLook(bool lightTaskbar, const std::optional<SchemeColours>& highContrast)
{
    lightTaskbar_ = lightTaskbar;
    highContrast_ = highContrast;
}

std::string CTrayPicturePainter::Name(const MemoryStatus& status, int size) const
{
    const std::string look = highContrast_ ? "hc" + std::to_string(highContrast_->back) + "/" + std::to_string(highContrast_->text)
                                           : lightTaskbar_ ? "light" : "dark";
    return TrayPictureName(status, size) + " " + look;
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
        const HDC dc = dc_.get();
        win32::SelectObjectScope bitmapScope(dc, picture_.get());
        // The icon's soft edge is drawn on black, as on a new bitmap.
        PatBlt(dc, 0, 0, size, size, BLACKNESS);
        DrawIconEx(dc, 0, 0, base->icon.get(), size, size, 0, nullptr, DI_NORMAL);
        // GDI clears the alpha of every pixel it draws on, which would leave the figure a hole the
        // taskbar shows through: the badge's alpha is put back once the figure is on it.
        GdiFlush();
        std::vector<std::uint8_t> alpha(static_cast<size_t>(size) * size);
        for (size_t i = 0; i < alpha.size(); ++i)
            alpha[i] = static_cast<std::uint8_t>(pixels_[i] >> 24);
        // The badge's colour where the figure never reaches.
        const auto badge = static_cast<controls::Colour>(GetPixel(dc, size / 2, size / 6));
        const TrayColours colours = ChooseTrayColours(badge, lightTaskbar_, highContrast_);
        // Under a rim the badge's soft edge, drawn on black, would show as a dark ring: all of it
        // takes the badge's colour, and the rim is its edge.
        if (colours.badge != badge || colours.rim) {
            win32::UniqueGdi<HBRUSH> fill(CreateSolidBrush(colours.badge));
            const RECT whole{0, 0, size, size};
            FillRect(dc, &whole, fill.get());
        }
        if (colours.rim) {
            win32::UniqueGdi<HPEN> pen(CreatePen(PS_INSIDEFRAME, std::max(1, size / 16), *colours.rim));
            win32::SelectObjectScope penScope(dc, pen.get());
            win32::SelectObjectScope brushScope(dc, GetStockObject(NULL_BRUSH));
            const int corner = size * 2 / 5; // the badge's corners, as drawn (scripts/make-art.py)
            RoundRect(dc, 0, 0, size, size, corner, corner);
        }
        win32::SelectObjectScope fontScope(dc, font_.get());
        SetTextColor(dc, colours.figure);
        SetBkMode(dc, TRANSPARENT);
        RECT area{0, size * 3 / 8, size, size};
        DrawTextA(dc, text.c_str(), -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        GdiFlush();
        for (size_t i = 0; i < alpha.size(); ++i) {
            const std::uint32_t a = colours.rim && alpha[i] ? 0xFF : alpha[i];
            pixels_[i] = (pixels_[i] & 0x00FFFFFF) | (a << 24);
        }
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
    const std::string name = Name(status, size);
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
