#pragma once
// The report after a cleaning run: available and installed memory and what the run gained.
#include <functional>
#include <string>
#include <vector>

#include "memory/cleaning_methods.h"
#include "memory/cleaning_report.h"
#include "win32/tool_dialog.h"

class CReportDlg : public win32::ToolDialog {
public:
    CReportDlg();

    // The texts of IDC_REPORT_LABEL1 to IDC_REPORT_ADVICE, shown when the dialog opens.
    void SetTexts(const CleaningReport& report) { report_ = report; }
    // One line per system operation and memory list, shown below the figures; the dialog grows
    // to hold them.
    void SetMethodLines(std::vector<std::string> lines) { methodLines_ = std::move(lines); }
    // A last line asked for again each second while the report is open, which never needs more
    // room than `widest`.
    void SetLiveLine(std::function<std::string()> line, std::string widest)
    {
        liveLine_ = std::move(line);
        widestLiveLine_ = std::move(widest);
    }
    void WriteControls();

protected:
    BOOL OnInit() override;
    void OnTimer(UINT_PTR id) override;

private:
    void ShowMethodLines();
    std::string LinesText(const std::string& last) const;

    CleaningReport report_;
    std::vector<std::string> methodLines_;
    std::function<std::string()> liveLine_;
    std::string widestLiveLine_, liveLineShown_;
};
