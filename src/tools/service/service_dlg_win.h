#pragma once
// The service manager: a fixed table of optional Windows services with their state and
// description; stops (and sets to start on demand) or starts (and sets to start automatically)
// one of them or all; opens the system's services console.
#include <windows.h>
#include <commctrl.h>

#include "tools/service/service_control_win.h"
#include "win32/tool_dialog.h"
#include "win32/handles.h"
#include "win32/list_view.h"

class CServiceDlg : public win32::ToolDialog {
public:
    CServiceDlg();

    CServiceControl& ServiceControl() { return control_; }

protected:
    BOOL OnInit() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(NMHDR& header, LRESULT& result) override;
    void OnDestroy() override;
    void OnCancel() override;

private:
    void FillList();
    void ShowCurrentDescription();
    void OpenServicesConsole() const;
    // The current row's service name, or null when no row has the focus.
    const char* CurrentServiceName() const;

    CServiceControl control_;
    win32::ListView list_;
    win32::UniqueImageList images_;
};
