#include "controls/link_label_win.h"

#include <commctrl.h>
#include <oleacc.h>

#include <utility>

#include "common/registry_key_win.h"
#include "common/web_address.h"
#include "controls/link_label_fit.h"
#include "controls/link_label_text.h"
#include "win32/ui_host.h"
#include "win32/window_text.h"

namespace {

constexpr UINT_PTR kToolId = 1;
constexpr int kHelpHandCursor = 106; // in the Windows help program's resources

// The default value of a key under HKEY_CLASSES_ROOT.
bool ReadClassesDefault(const std::string& subKey, std::string& value)
{
    CRegistryKey key;
    return key.Open(HKEY_CLASSES_ROOT, subKey, KEY_QUERY_VALUE) == ERROR_SUCCESS &&
           key.QueryString(value, "") == ERROR_SUCCESS;
}

} // namespace

CLinkLabel::CLinkLabel(Opener open)
    : hoverColour_(GetSysColor(COLOR_BTNHIGHLIGHT)), open_(open ? std::move(open) : OpenAddressAsUser),
      accessible_(std::make_shared<win32::AccessibleDescription>())
{
    accessible_->role = ROLE_SYSTEM_LINK;
    accessible_->value = [this] { return target_; };
}

CLinkLabel::~CLinkLabel() { Detach(); }

bool CLinkLabel::Attach(HWND dialog, int id)
{
    HWND control = GetDlgItem(dialog, id);
    if (!control)
        return false;
    Detach();
    control_ = control;
    parent_ = dialog;

    // An address is shown as it is: an ampersand in it marks no mnemonic.
    SetWindowLongPtrA(control_, GWL_STYLE, GetWindowLongPtrA(control_, GWL_STYLE) | SS_NOTIFY | SS_NOPREFIX | WS_TABSTOP);
    const std::string text = win32::WindowText(control_);
    if (target_.empty())
        target_ = text;
    if (text.empty())
        SetWindowTextA(control_, target_.c_str());
    MakeUnderlinedFont();
    FitToText();
    if (!cursor_)
        LoadHandCursor();
    CreateTooltip();

    SetWindowSubclass(control_, ControlProc, 0, reinterpret_cast<DWORD_PTR>(this));
    SetWindowSubclass(parent_, ParentProc, reinterpret_cast<UINT_PTR>(this),
                      reinterpret_cast<DWORD_PTR>(this));
    return true;
}

void CLinkLabel::Detach()
{
    if (control_) {
        RemoveWindowSubclass(control_, ControlProc, 0);
        if (originalFont_)
            SendMessageA(control_, WM_SETFONT, reinterpret_cast<WPARAM>(originalFont_), FALSE);
    }
    if (parent_)
        RemoveWindowSubclass(parent_, ParentProc, reinterpret_cast<UINT_PTR>(this));
    if (tooltip_)
        DestroyWindow(tooltip_);
    control_ = parent_ = tooltip_ = nullptr;
    originalFont_ = nullptr;
}

void CLinkLabel::MakeUnderlinedFont()
{
    originalFont_ = reinterpret_cast<HFONT>(SendMessageA(control_, WM_GETFONT, 0, 0));
    HGDIOBJ base = originalFont_ ? static_cast<HGDIOBJ>(originalFont_) : GetStockObject(DEFAULT_GUI_FONT);
    LOGFONTA font{};
    if (!GetObjectA(base, sizeof(font), &font))
        return;
    font.lfUnderline = underline_ ? TRUE : FALSE;
    font_.reset(CreateFontIndirectA(&font));
    if (font_)
        SendMessageA(control_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
}

void CLinkLabel::LoadHandCursor()
{
    char windows[MAX_PATH];
    const UINT length = GetWindowsDirectoryA(windows, MAX_PATH);
    if (length > 0 && length < MAX_PATH) {
        const std::string help = std::string(windows) + "\\winhlp32.exe";
        win32::UniqueModule module(LoadLibraryExA(help.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
        if (module) {
            if (HCURSOR hand = LoadCursorA(module.get(), MAKEINTRESOURCEA(kHelpHandCursor)))
                cursor_.reset(CopyIcon(hand));
        }
    }
    // Systems without the help program still have a hand of their own.
    if (!cursor_) {
        if (HCURSOR hand = LoadCursorA(nullptr, MAKEINTRESOURCEA(32649))) // IDC_HAND
            cursor_.reset(CopyIcon(hand));
    }
}

void CLinkLabel::CreateTooltip()
{
    INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
    tooltip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, control_,
                               nullptr, nullptr, nullptr);
    if (!tooltip_)
        return;
    TOOLINFOA tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = control_;
    tool.uId = kToolId;
    GetClientRect(control_, &tool.rect);
    tool.lpszText = const_cast<char*>(target_.c_str());
    SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void CLinkLabel::SetTarget(const std::string& target)
{
    target_ = target;
    if (!control_)
        return;
    FitToText();
    if (tooltip_) {
        TOOLINFOA tool{};
        tool.cbSize = sizeof(tool);
        tool.hwnd = control_;
        tool.uId = kToolId;
        tool.lpszText = const_cast<char*>(target_.c_str());
        SendMessageA(tooltip_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void CLinkLabel::SetLinkColours(COLORREF unvisited, COLORREF visited, COLORREF hover)
{
    unvisitedColour_ = unvisited;
    visitedColour_ = visited;
    hoverColour_ = hover == static_cast<COLORREF>(-1) ? GetSysColor(COLOR_HIGHLIGHT) : hover;
    Repaint();
}

void CLinkLabel::MarkVisited(bool visited)
{
    visited_ = visited;
    Repaint();
}

COLORREF CLinkLabel::TextColour() const
{
    if (over_)
        return hoverColour_;
    return visited_ ? visitedColour_ : unvisitedColour_;
}

void CLinkLabel::FitToText()
{
    if (!control_ || !fitToText_)
        return;
    const std::string text = win32::WindowText(control_);
    SIZE extent{};
    {
        win32::WindowDc dc(control_);
        HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageA(control_, WM_GETFONT, 0, 0));
        win32::SelectObjectScope select(dc.get(), font ? font : GetStockObject(SYSTEM_FONT));
        GetTextExtentPoint32A(dc.get(), text.c_str(), static_cast<int>(text.size()), &extent);
    }
    RECT box;
    GetWindowRect(control_, &box);
    MapWindowPoints(nullptr, parent_, reinterpret_cast<POINT*>(&box), 2);

    const LONG_PTR style = GetWindowLongPtrA(control_, GWL_STYLE);
    const LONG_PTR type = style & SS_TYPEMASK;
    const LinkAlign align = type == SS_CENTER ? LinkAlign::Centre
                            : type == SS_RIGHT ? LinkAlign::Right
                                               : LinkAlign::Left;
    const LinkBox fitted = FitLinkBox({box.left, box.top, box.right, box.bottom}, extent.cx, extent.cy,
                                      align, (style & SS_CENTERIMAGE) != 0);
    SetWindowPos(control_, nullptr, fitted.left, fitted.top, fitted.right - fitted.left,
                 fitted.bottom - fitted.top, SWP_NOZORDER | SWP_NOACTIVATE);
    if (tooltip_) {
        TOOLINFOA tool{};
        tool.cbSize = sizeof(tool);
        tool.hwnd = control_;
        tool.uId = kToolId;
        GetClientRect(control_, &tool.rect);
        SendMessageA(tooltip_, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void CLinkLabel::Repaint() const
{
    if (!control_)
        return;
    // The text is drawn transparently, so the dialog's background goes under it first.
    RECT box;
    GetWindowRect(control_, &box);
    MapWindowPoints(nullptr, parent_, reinterpret_cast<POINT*>(&box), 2);
    RedrawWindow(parent_, &box, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void CLinkLabel::RelayToTooltip(UINT msg, WPARAM wp, LPARAM lp) const
{
    if (!tooltip_)
        return;
    MSG relayed{control_, msg, wp, lp, static_cast<DWORD>(GetMessageTime()), {}};
    GetCursorPos(&relayed.pt);
    SendMessageA(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

void CLinkLabel::OnMouseMove(LPARAM position)
{
    if (!over_) {
        over_ = true;
        Repaint();
        SetCapture(control_);
        return;
    }
    RECT client;
    GetClientRect(control_, &client);
    const POINT point{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    if (!PtInRect(&client, point)) {
        over_ = false;
        ReleaseCapture();
        Repaint();
    }
}

void CLinkLabel::OnClicked()
{
    // The capture stays, so the next movement inside sets the hover colour again.
    over_ = false;
    const LaunchOutcome opened = OpenTarget(target_, SW_SHOW);
    if (opened.status == LaunchStatus::Started) {
        MarkVisited(true);
        return;
    }
    MessageBeep(MB_ICONEXCLAMATION);
    // A program that could not start is told by its code; a refusal by its reason.
    const bool failed = opened.status == LaunchStatus::Failed || opened.status == LaunchStatus::NotFound;
    const long code = opened.status == LaunchStatus::Failed ? static_cast<long>(opened.error) : ERROR_FILE_NOT_FOUND;
    win32::MessageBoxText(parent_, failed ? HyperlinkErrorMessage(code) : LaunchRefusalText(opened, target_), "",
                          MB_ICONEXCLAMATION | MB_OK);
}

LaunchOutcome CLinkLabel::OpenTarget(const std::string& target, int showCommand) const
{
    if (!IsOpenableAddress(target)) {
        LaunchOutcome refused;
        refused.status = LaunchStatus::Refused;
        return refused;
    }
    const LaunchOutcome opened = open_(target, showCommand);
    if (opened.status != LaunchStatus::Failed && opened.status != LaunchStatus::NotFound)
        return opened;
    std::string handler;
    std::string command;
    if (!ReadClassesDefault(".htm", handler) || !ReadClassesDefault(handler + "\\shell\\open\\command", command))
        return opened;
    return StartCommandAsUser(HtmCommandForTarget(command, target), false, showCommand);
}

void CLinkLabel::Paint()
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(control_, &paint);
    DefSubclassProc(control_, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    // Drawn in the paint's own DC, so only where the text was drawn anew: the rectangle's XOR
    // never meets one already there. Hidden while the user has not used the keyboard.
    const bool focusHidden = (SendMessageA(control_, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) != 0;
    if (GetFocus() == control_ && !focusHidden) {
        RECT client;
        GetClientRect(control_, &client);
        DrawFocusRect(dc, &client);
    }
    EndPaint(control_, &paint);
}

LRESULT CALLBACK CLinkLabel::ControlProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                         DWORD_PTR data)
{
    auto* self = reinterpret_cast<CLinkLabel*>(data);
    if (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST)
        self->RelayToTooltip(msg, wp, lp);
    switch (msg) {
    case WM_GETOBJECT:
        if (const LRESULT object = win32::AnswerGetObject(hwnd, wp, lp, self->accessible_))
            return object;
        break;
    case WM_GETDLGCODE: {
        // Enter opens the link instead of pressing the dialog's default button.
        const auto* key = reinterpret_cast<const MSG*>(lp);
        const LRESULT code = DefSubclassProc(hwnd, msg, wp, lp);
        return key && key->message == WM_KEYDOWN && key->wParam == VK_RETURN ? code | DLGC_WANTMESSAGE : code;
    }
    case WM_KEYDOWN:
        if (wp == VK_RETURN || wp == VK_SPACE) {
            self->OnClicked();
            return 0;
        }
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_UPDATEUISTATE: {
        const LRESULT result = DefSubclassProc(hwnd, msg, wp, lp);
        self->Repaint();
        return result;
    }
    case WM_PAINT:
        self->Paint();
        return 0;
    case WM_MOUSEMOVE: {
        const LRESULT result = DefSubclassProc(hwnd, msg, wp, lp);
        self->OnMouseMove(lp);
        return result;
    }
    case WM_SETCURSOR:
        if (self->cursor_) {
            SetCursor(self->cursor_.get());
            return TRUE;
        }
        break;
    case WM_NCDESTROY:
        self->Detach();
        break;
    default:
        break;
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
}

LRESULT CALLBACK CLinkLabel::ParentProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                        DWORD_PTR data)
{
    auto* self = reinterpret_cast<CLinkLabel*>(data);
    if (reinterpret_cast<HWND>(lp) == self->control_ && self->control_) {
        if (msg == WM_CTLCOLORSTATIC) {
            HDC dc = reinterpret_cast<HDC>(wp);
            SetTextColor(dc, self->TextColour());
            SetBkMode(dc, TRANSPARENT);
            return reinterpret_cast<LRESULT>(GetStockObject(HOLLOW_BRUSH));
        }
        if (msg == WM_COMMAND && HIWORD(wp) == STN_CLICKED) {
            self->OnClicked();
            return 0;
        }
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
}
