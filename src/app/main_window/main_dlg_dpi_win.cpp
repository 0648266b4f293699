// The main window moved to a screen of another DPI: its size, the remembered compact and widened
// shapes, and the fonts and section glyphs it chose itself follow.
#include "app/main_window/main_dlg_win.h"

#include "app/dialogs/art_for_dpi.h"
#include "common/spoken_text.h"

namespace {

struct Glyph {
    int control;
    int bitmap;
    int title; // the label of the section the glyph stands for
};
constexpr Glyph kGlyphs[] = {{IDC_GLYPH_MEMORY, IDB_GLYPH_MEMORY, IDC_TITLE1},
                             {IDC_GLYPH_LOAD, IDB_GLYPH_LOAD, IDC_TITLE2},
                             {IDC_GLYPH_GAUGES, IDB_GLYPH_GAUGES, IDC_TITLE3},
                             {IDC_GLYPH_CLEANING, IDB_GLYPH_CLEANING, IDC_TITLE4},
                             {IDC_GLYPH_CLOCK, IDB_GLYPH_CLOCK, IDC_CLOCK_TITLE}};

RECT Scaled(const RECT& r, int to, int from)
{
    return RECT{MulDiv(r.left, to, from), MulDiv(r.top, to, from), MulDiv(r.right, to, from),
                MulDiv(r.bottom, to, from)};
}

} // namespace

void CMainDlg::OnDpiChanged(int dpi, const RECT& suggested)
{
    if (dpi <= 0 || dpi == dpi_)
        return;
    for (RECT* shape : {&fullRect_, &compactRect_, &currentRect_, &compactClient_, &expandedClient_})
        *shape = Scaled(*shape, dpi, dpi_);
    dpi_ = dpi;
    SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    PostMessageA(hwnd(), WM_APPLY_DPI, 0, 0);
}

void CMainDlg::ApplyDpiToGlyphs()
{
    static_assert(std::size(kGlyphs) == std::tuple_size_v<decltype(glyphs_)>);
    for (size_t i = 0; i < std::size(kGlyphs); ++i) {
        win32::UniqueGdi<HBITMAP> bitmap(static_cast<HBITMAP>(LoadImageA(
            win32::ResourceModule(), MAKEINTRESOURCEA(ArtIdForDpi(kGlyphs[i].bitmap, dpi_)), IMAGE_BITMAP, 0, 0, 0)));
        if (!bitmap)
            continue;
        SendDlgItemMessageA(hwnd(), kGlyphs[i].control, STM_SETIMAGE, IMAGE_BITMAP,
                            reinterpret_cast<LPARAM>(bitmap.get()));
        glyphs_[i] = std::move(bitmap); // the one it showed before is no longer drawn
    }
}

void CMainDlg::DetachGlyphs()
{
    for (const Glyph& glyph : kGlyphs)
        SendDlgItemMessageA(hwnd(), glyph.control, STM_SETIMAGE, IMAGE_BITMAP, 0);
}

void CMainDlg::NameGlyphs()
{
    static_assert(std::size(kGlyphs) == std::tuple_size_v<decltype(glyphPictures_)>);
    for (size_t i = 0; i < std::size(kGlyphs); ++i) {
        glyphPictures_[i].Attach(hwnd(), kGlyphs[i].control);
        glyphPictures_[i].Describe([this, title = kGlyphs[i].title] { return SpokenText(GetItemText(title)); });
    }
}
