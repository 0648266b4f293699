#include "win32/dialog.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>

#include "win32/dark_menus.h"
#include "win32/ui_host.h"
#include "win32/window_look.h"
#include "win32/window_text.h"

namespace win32 {

HINSTANCE ResourceModule() { return GetModuleHandleA(nullptr); }

Dialog::~Dialog()
{
    // Only a dialog created modeless outside Modeless<> gets here with a window; the derived part
    // is gone, so no handler may run any more.
    if (hwnd_ && !modal_) {
        SetWindowLongPtrA(hwnd_, DWLP_USER, 0);
        DestroyWindow(hwnd_);
    }
}

void Dialog::DestroyModeless()
{
    if (hwnd_ && !modal_)
        DestroyWindow(hwnd_);
}

INT_PTR Dialog::DoModal(HWND parent) { return win32::RunModal(*this, parent); }

INT_PTR Dialog::RunModalLoop(HWND parent)
{
    if (ownLoop_ && !parent)
        return RunOwnLoop();
    modal_ = true;
    result_ = DialogBoxParamA(ResourceModule(), MAKEINTRESOURCEA(templateId_), parent, DialogProc,
                              reinterpret_cast<LPARAM>(this));
    modal_ = false;
    return result_;
}

INT_PTR Dialog::RunOwnLoop()
{
    // Modal before the window exists: an EndDialog during WM_INITDIALOG ends the loop, as it would
    // end DialogBox, instead of destroying the window under its creation.
    modal_ = true;
    ended_ = false;
    if (!CreateDialogParamA(ResourceModule(), MAKEINTRESOURCEA(templateId_), nullptr, DialogProc,
                            reinterpret_cast<LPARAM>(this))) {
        modal_ = false;
        return -1;
    }
    bool shown = false;
    MSG msg{};
    while (!ended_ && hwnd_) {
        // Shown the first time the queue is empty, as DialogBox shows its dialog.
        if (!shown && !PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            ShowWindow(hwnd_, SW_SHOWNORMAL);
            shown = true;
        }
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0)
                PostQuitMessage(static_cast<int>(msg.wParam)); // for the loop outside, as DialogBox does
            break;
        }
        if (!IsDialogMessageA(hwnd_, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    modal_ = false;
    if (hwnd_)
        DestroyWindow(hwnd_);
    return result_;
}

bool Dialog::CreateModeless(HWND parent)
{
    modal_ = false;
    return CreateDialogParamA(ResourceModule(), MAKEINTRESOURCEA(templateId_), parent, DialogProc,
                              reinterpret_cast<LPARAM>(this)) != nullptr;
}

void Dialog::EndDialog(INT_PTR result)
{
    result_ = result;
    if (!hwnd_)
        return;
    if (modal_ && ownLoop_) {
        ended_ = true;
        ShowWindow(hwnd_, SW_HIDE);
        PostMessageA(hwnd_, WM_NULL, 0, 0); // the loop may be waiting
    } else if (modal_)
        ::EndDialog(hwnd_, result);
    else
        DestroyWindow(hwnd_);
}

INT_PTR CALLBACK Dialog::DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_INITDIALOG) {
        auto* self = reinterpret_cast<Dialog*>(lp);
        SetWindowLongPtrA(hwnd, DWLP_USER, lp);
        self->hwnd_ = hwnd;
    }
    auto* self = reinterpret_cast<Dialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    if (!self)
        return FALSE;
    INT_PTR result = FALSE;
    try {
        result = self->Dispatch(msg, wp, lp);
    } catch (...) {
        // Nothing may unwind through the system's dialog code.
        result = FALSE;
    }
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, DWLP_USER, 0);
        self->hwnd_ = nullptr;
    }
    return result;
}

INT_PTR Dialog::Dispatch(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_INITDIALOG: {
        look_ = SystemLook();
        keptDisabled_.clear();
        const BOOL result = OnInit(); // its controls exist once it returns
        ApplyLookToWindow(hwnd_, look_, false);
        return result;
    }
    case WM_COMMAND: {
        const int id = LOWORD(wp);
        if (OnCommand(id, HIWORD(wp), reinterpret_cast<HWND>(lp)))
            return TRUE;
        if (id == IDOK) {
            OnOK();
            return TRUE;
        }
        if (id == IDCANCEL) {
            OnCancel();
            return TRUE;
        }
        return FALSE;
    }
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (!OnNotify(*reinterpret_cast<NMHDR*>(lp), result))
            return FALSE;
        SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, result);
        return TRUE;
    }
    case WM_TIMER:
        OnTimer(wp);
        return TRUE;
    case WM_PAINT:
        return OnPaint() ? TRUE : FALSE;
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX: {
        const HDC dc = reinterpret_cast<HDC>(wp);
        const HBRUSH brush = OnCtlColor(dc, reinterpret_cast<HWND>(lp), msg);
        return reinterpret_cast<INT_PTR>(brush ? brush : DarkCtlColor(dc, reinterpret_cast<HWND>(lp)));
    }
    case WM_DESTROY:
        OnDestroy();
        return FALSE;
    default: {
        if (IsLookChange(msg, wp, lp))
            TakeNewLook();
        INT_PTR result = 0;
        return OnMessage(msg, wp, lp, result) ? result : FALSE;
    }
    }
}

void Dialog::TakeNewLook()
{
    const bool wasDark = look_ == Look::Dark;
    look_ = SystemLook();
    RefreshDarkMenus();
    ApplyLookToWindow(hwnd_, look_, wasDark);
    OnLookChanged();
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

HBRUSH Dialog::DarkCtlColor(HDC dc, HWND control)
{
    // The hotkey control draws its text in the system's colours whatever it is told: dark around
    // them it would show a light patch.
    char name[32] = {};
    if (look_ != Look::Dark || (GetClassNameA(control, name, sizeof name) && std::strcmp(name, HOTKEY_CLASSA) == 0))
        return nullptr;
    if (!darkBrush_)
        darkBrush_.reset(CreateSolidBrush(kDarkWindow));
    SetTextColor(dc, kDarkText);
    SetBkColor(dc, kDarkWindow);
    return darkBrush_.get();
}

std::string Dialog::GetItemText(int id) const { return WindowText(Item(id)); }

void Dialog::SetItemText(int id, const std::string& text) const { SetDlgItemTextA(hwnd_, id, text.c_str()); }

bool Dialog::IsChecked(int id) const { return IsDlgButtonChecked(hwnd_, id) == BST_CHECKED; }

void Dialog::SetChecked(int id, bool checked) const
{
    CheckDlgButton(hwnd_, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

int Dialog::GetItemInt(int id, bool* ok) const
{
    BOOL translated = FALSE;
    const int value = static_cast<int>(GetDlgItemInt(hwnd_, id, &translated, TRUE));
    if (ok)
        *ok = translated != FALSE;
    return value;
}

void Dialog::SetItemInt(int id, int value) const { SetDlgItemInt(hwnd_, id, static_cast<UINT>(value), TRUE); }

void Dialog::EnableItem(int id, bool enable) const { EnableWindow(Item(id), enable && !KeptDisabled(id)); }

void Dialog::KeepDisabled(int id)
{
    keptDisabled_.push_back(id);
    EnableWindow(Item(id), FALSE);
}

bool Dialog::KeptDisabled(int id) const { return std::ranges::count(keptDisabled_, id) != 0; }

std::string Dialog::GetCaption() const { return WindowText(hwnd_); }

void Dialog::SetCaption(const std::string& text) const { SetWindowTextA(hwnd_, text.c_str()); }

} // namespace win32
