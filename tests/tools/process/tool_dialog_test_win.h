#pragma once
// What the process and service dialog tests share: a UI host that records message boxes and
// answers OK, and real mouse clicks on list rows.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "support/screenshot_win.h"
#include "win32/ui_host.h"

namespace testing_support {

struct RecordedMessage {
    std::string text;
    std::string caption;
    UINT type;
};

class RecordingUiHost : public win32::UiHost {
public:
    RecordingUiHost() { win32::SetUiHost(this); }
    ~RecordingUiHost() override { win32::SetUiHost(nullptr); }
    RecordingUiHost(const RecordingUiHost&) = delete;
    RecordingUiHost& operator=(const RecordingUiHost&) = delete;

    int ShowMessage(HWND, const std::string& text, const std::string& caption, UINT type) override
    {
        messages.push_back({text, caption, type});
        return IDOK;
    }
    std::vector<RecordedMessage> messages;
};

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

// Clicks the empty area below the last row; false when the rows fill the list.
inline bool ClickListBelowRows(HWND list)
{
    RECT client{}, last{};
    GetClientRect(list, &client);
    const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    last.left = LVIR_BOUNDS;
    if (count > 0 && !SendMessageA(list, LVM_GETITEMRECT, static_cast<WPARAM>(count - 1), reinterpret_cast<LPARAM>(&last)))
        return false;
    if (last.bottom + 10 >= client.bottom)
        return false;
    ClickListAt(list, POINT{20, (last.bottom + client.bottom) / 2});
    return true;
}

inline void ClickButton(HWND dialog, int id)
{
    SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

} // namespace testing_support
