#include "controls/color_static_win.h"

#include <oleacc.h>

#include <cstring>

#include "controls/text_fit.h"

using namespace controls;

CColorStatic::CColorStatic()
    : ControlWindow(ROLE_SYSTEM_STATICTEXT), textColour_(static_cast<Colour>(GetSysColor(COLOR_WINDOWTEXT))),
      background_(CreateSolidBrush(GetSysColor(COLOR_BTNFACE)))
{
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof(fontDescription_), &fontDescription_);
    font_.reset(CreateFontIndirectA(&fontDescription_));
}

CColorStatic::~CColorStatic()
{
    // A static that outlives the label must not keep painting with the deleted font.
    if (hwnd())
        SendMessageA(hwnd(), WM_SETFONT, 0, FALSE);
}

bool CColorStatic::Create(const char* text, DWORD style, const RECT& rect, HWND parent, int id)
{
    return CreateOwned(0, "STATIC", text, style, rect, parent, id);
}

void CColorStatic::OnAttached()
{
    SendMessageA(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
}

void CColorStatic::SetBkColor(Colour colour)
{
    background_.reset(CreateSolidBrush(controls::ToColorRef(colour)));
}

void CColorStatic::SetTextColor(Colour colour)
{
    textColour_ = colour;
    Redraw();
}

void CColorStatic::SetFontHeight(int size)
{
    fontDescription_.lfHeight = -size;
    RecreateFont();
}

void CColorStatic::SetFontWeight(int weight)
{
    fontDescription_.lfWeight = weight;
    RecreateFont();
}

void CColorStatic::SetFontName(const std::string& face)
{
    const std::string fitted = CutUtf8(face, sizeof(fontDescription_.lfFaceName) - 1);
    std::memset(fontDescription_.lfFaceName, 0, sizeof(fontDescription_.lfFaceName));
    std::memcpy(fontDescription_.lfFaceName, fitted.data(), fitted.size());
    RecreateFont();
}

bool CColorStatic::SetTextWhenSeen(const std::string& text)
{
    if (hwnd() && IsWindowVisible(hwnd())) {
        waitingText_.reset();
        SetWindowTextA(hwnd(), text.c_str());
        return true;
    }
    waitingText_ = text;
    return false;
}

void CColorStatic::ApplyWaitingText()
{
    if (!waitingText_ || !hwnd())
        return;
    const std::string text = std::move(*waitingText_);
    waitingText_.reset();
    SetWindowTextA(hwnd(), text.c_str());
}

bool CColorStatic::OnMessage(UINT msg, WPARAM, LPARAM, LRESULT&)
{
    switch (msg) {
    case WM_SETTEXT:
        waitingText_.reset(); // a text set meanwhile is newer
        break;
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
    case WM_PAINT:
    case WM_PRINT:
    case WM_PRINTCLIENT:
        if (textNeeded_)
            textNeeded_();
        ApplyWaitingText();
        break;
    default:
        break;
    }
    return false;
}

void CColorStatic::RecreateFont()
{
    win32::UniqueGdi<HFONT> font(CreateFontIndirectA(&fontDescription_));
    if (!font)
        return;
    // The static keeps using the old font until told, so tell it before deleting the old one.
    if (hwnd())
        SendMessageA(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
    font_ = std::move(font);
    Redraw();
}

void CColorStatic::Redraw() const
{
    if (hwnd())
        RedrawWindow(hwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
}

HBRUSH CColorStatic::OnCtlColor(HDC dc)
{
    SelectObject(dc, font_.get());
    ::SetTextColor(dc, controls::ToColorRef(textColour_));
    SetBkMode(dc, TRANSPARENT);
    return background_.get();
}

HBRUSH CColorStatic::ReflectCtlColor(HWND control, HDC dc)
{
    auto* self = dynamic_cast<CColorStatic*>(ControlWindow::FromHandle(control));
    return self ? self->OnCtlColor(dc) : nullptr;
}
