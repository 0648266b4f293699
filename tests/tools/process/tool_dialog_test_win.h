#pragma once
// What the process and service dialog tests share: real mouse clicks on list rows.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "support/message_pump_win.h"
#include "support/recording_host_win.h"

namespace testing_support {

inline void InitListViews()
{
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
}

// A left click at a point of the list's client area, as the mouse would deliver it.
inline void ClickListAt(HWND list, POINT at)
{
    const LPARAM where = MAKELPARAM(at.x, at.y);
    PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, where);
    PostMessageA(list, WM_LBUTTONUP, 0, where);
    PumpMessagesFor(60);
}

inline void ClickListRow(HWND list, int row)
{
    RECT r{};
    r.left = LVIR_LABEL;
    SendMessageA(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
    SendMessageA(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
    ClickListAt(list, POINT{r.left + 5, (r.top + r.bottom) / 2});
}

// Clicks the empty area below the last row, first growing a list that its rows fill; false when
// there is still no such area.
inline bool ClickListBelowRows(HWND list)
{
    RECT client{}, last{};
    GetClientRect(list, &client);
    const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    last.left = LVIR_BOUNDS;
    if (count > 0 && !SendMessageA(list, LVM_GETITEMRECT, static_cast<WPARAM>(count - 1), reinterpret_cast<LPARAM>(&last)))
        return false;
    if (last.bottom + 10 >= client.bottom) {
        RECT frame{};
        GetWindowRect(list, &frame);
        SetWindowPos(list, nullptr, 0, 0, frame.right - frame.left,
                     frame.bottom - frame.top + last.bottom + 40 - client.bottom, SWP_NOMOVE | SWP_NOZORDER);
        GetClientRect(list, &client);
        if (last.bottom + 10 >= client.bottom)
            return false;
    }
    ClickListAt(list, POINT{20, (last.bottom + client.bottom) / 2});
    return true;
}

inline void ClickButton(HWND dialog, int id)
{
    SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

} // namespace testing_support
