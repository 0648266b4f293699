#include "win32/common_controls.h"

#include <commctrl.h>

namespace win32 {

void Trackbar::SetRange(int lowest, int highest) const
{
    SendMessageA(hwnd_, TBM_SETRANGE, TRUE, MAKELPARAM(lowest, highest));
}

void Trackbar::SetPosition(int position) const { SendMessageA(hwnd_, TBM_SETPOS, TRUE, position); }

int Trackbar::Position() const { return static_cast<int>(SendMessageA(hwnd_, TBM_GETPOS, 0, 0)); }

void ComboBox::AddString(const std::string& text) const
{
    SendMessageA(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void ComboBox::Select(int index) const { SendMessageA(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(index), 0); }

int ComboBox::Selection() const { return static_cast<int>(SendMessageA(hwnd_, CB_GETCURSEL, 0, 0)); }

void UpDown::SetRange(int lowest, int highest) const { SendMessageA(hwnd_, UDM_SETRANGE32, lowest, highest); }

} // namespace win32
