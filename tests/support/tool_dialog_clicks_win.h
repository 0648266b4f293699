#pragma once
// What the process and service dialog tests share: clicks on list rows and buttons.
#include <windows.h>
#include <commctrl.h>

#include "support/message_pump_win.h"
#include "support/recording_host_win.h"

namespace testing_support {

// A left click on a row, as the mouse would deliver it.
inline void ClickListRow(HWND list, int row)
{
    RECT r{};
    r.left = LVIR_LABEL;
    SendMessageA(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
    SendMessageA(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
    const LPARAM where = MAKELPARAM(r.left + 5, (r.top + r.bottom) / 2);
    PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, where);
    PostMessageA(list, WM_LBUTTONUP, 0, where);
    PumpMessagesFor(60);
}

// The list's click notice as it arrives when the click lands on no row.
inline void NotifyClickOffRows(HWND dialog, int listId)
{
    NMHDR header{GetDlgItem(dialog, listId), static_cast<UINT_PTR>(listId), static_cast<UINT>(NM_CLICK)};
    SendMessageA(dialog, WM_NOTIFY, static_cast<WPARAM>(listId), reinterpret_cast<LPARAM>(&header));
}

inline void ClickButton(HWND dialog, int id) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

inline bool IsItemEnabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

} // namespace testing_support
