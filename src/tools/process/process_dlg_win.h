#pragma once
// The process manager: every process with its icon, path, id and memory use; ends the current
// one unless it is protected; carries the Explorer switch AlwaysUnloadDLL.
#include <windows.h>
#include <commctrl.h>

#include <functional>

#include "tools/process/process_list_win.h"
#include "win32/tool_dialog.h"
#include "win32/handles.h"
#include "win32/list_view.h"

class CProcessDlg : public win32::ToolDialog {
public:
    // isWindows9x: the platform-family test, asked at every fill of the list.
    explicit CProcessDlg(std::function<bool()> isWindows9x);

    const CProcessList& Processes() const { return processes_; }
    HIMAGELIST Images() const { return images_.get(); }

protected:
    BOOL OnInit() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(NMHDR& header, LRESULT& result) override;
    void OnDestroy() override;
    void OnCancel() override;

private:
    void ReadControls();
    void WriteControls();
    void FillList();
    void EndCurrentProcess();

    std::function<bool()> isWindows9x_;
    CProcessList processes_;
    win32::ListView list_;
    win32::UniqueImageList images_;
    bool alwaysUnloadDll_ = false;
};
