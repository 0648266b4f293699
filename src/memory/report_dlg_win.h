#pragma once
// The report after a cleaning run: available and installed memory and what the run gained.
#include <string>

#include "memory/cleaning_report.h"
#include "win32/tool_dialog.h"

class CReportDlg : public win32::ToolDialog {
public:
    CReportDlg();

    // The texts of controls 1122 to 1134, shown when the dialog opens.
    void SetTexts(const CleaningReport& report) { report_ = report; }
    void WriteControls();

protected:
    BOOL OnInit() override;

private:
    CleaningReport report_;
};

// Takes the after-run snapshot, fills the report and shows it modally. 1 when the run changed
// the available memory, 0 when it gained nothing.
int ShowCleaningReport();
