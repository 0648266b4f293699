#pragma once
// The History window: a chart of the memory freed by each clean of the last days and the list of
// every clean recorded, newest first. It reads the history when it opens and not again.
#include "controls/freed_chart_ctrl_win.h"
#include "win32/list_view.h"
#include "win32/tool_dialog.h"

class CHistoryDlg : public win32::ToolDialog {
public:
    CHistoryDlg();

protected:
    BOOL OnInit() override;

private:
    void FitStatus() const;

    CFreedChart chart_;
    win32::ListView list_;
};
