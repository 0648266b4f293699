#pragma once
// Startup items dialog: every start-up entry, active, paused or delayed, with its icon, command
// and status; runs, deletes or changes the start mode of the entry that has the focus. An
// organisation may allow running only.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "tools/startup/startup_entries_win.h"
#include "tools/startup/startup_item.h"
#include "win32/tool_dialog.h"
#include "win32/handles.h"
#include "win32/list_view.h"

class CAutorunDlg : public win32::ToolDialog {
public:
    explicit CAutorunDlg(std::string delayList = DelayListPath());

    // The table behind the rows: row i shows item i.
    const std::vector<StartupItem>& Items() const { return items_; }
    const win32::ListView& List() const { return list_; }
    // The focused row, or -1.
    int CurrentEntry() const;

protected:
    BOOL OnInit() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(NMHDR& header, LRESULT& result) override;
    void OnDestroy() override;

private:
    void FillList();
    void EnableActions(bool enable) const;
    void StartNow(const StartupItem& item) const;
    void DeleteEntry(const StartupItem& item);
    void ChangeStartMode(const StartupItem& item);

    std::string delayList_;
    win32::UniqueImageList images_;
    std::vector<StartupItem> items_;
    win32::ListView list_;
    bool delayListProtected_ = true;
};
