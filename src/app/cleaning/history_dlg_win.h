#pragma once
// The History window: a chart of the memory freed by each clean of the last days, what came back
// of it, and the list of every clean recorded, newest first. It reads the history when it opens
// and not again.
#include <optional>

#include "controls/freed_chart_ctrl_win.h"
#include "history/clean_record.h"
#include "win32/list_view.h"
#include "win32/tool_dialog.h"

class CHistoryDlg : public win32::ToolDialog {
public:
    // waiting: the last clean, not yet in the history while its minute after is measured.
    explicit CHistoryDlg(std::optional<CleanRecord> waiting = std::nullopt);

protected:
    BOOL OnInit() override;

private:
    // A text takes the lines it needs; the controls below move down and the list gives up the room.
    void FitText(int id) const;

    std::optional<CleanRecord> waiting_;
    CFreedChart chart_;
    win32::ListView list_;
};
