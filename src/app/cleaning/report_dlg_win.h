#pragma once
// The report after a cleaning run: available and installed memory and what the run gained.
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
    void WriteControls();

protected:
    BOOL OnInit() override;

private:
    void ShowMethodLines();

    CleaningReport report_;
    std::vector<std::string> methodLines_;
};
