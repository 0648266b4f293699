#include "memory/report_dlg_win.h"

#include "common/resource_text.h"
#include "memory/clean_state.h"
#include "memory/memory_cleaner.h"
#include "resources/resource.h"
#include "win32/program_name.h"

namespace {

ReportTexts LookUpReportTexts(CResourceText& texts)
{
    ReportTexts report;
    report.nothingGained = texts.Text("ReportStr1");
    report.available = texts.Text("ReportStr2");
    report.installed = texts.Text("ReportStr3");
    report.gainedMB = texts.Text("ReportStr4");
    report.gainedPages = texts.Text("ReportStr5");
    report.adviceOther = texts.Text("ZLJY1");
    report.adviceCleanUp = texts.Text("ZLJY2");
    return report;
}

} // namespace

CReportDlg::CReportDlg() : win32::ToolDialog(IDD_REPORT_DIALOG) {}

void CReportDlg::WriteControls()
{
    for (int id = kReportFirstControl; id <= kReportAdviceControl; ++id)
        SetItemText(id, report_.Text(id));
}

BOOL CReportDlg::OnInit()
{
    WriteControls();
    CResourceText texts;
    SetCaption(win32::kProgramName + texts.Text("ReportStr1"));
    SetItemText(IDOK, texts.Text("IDCANCELINARUN"));
    return TRUE;
}

int ShowCleaningReport()
{
    CMemoryCleaner::RecordAfter();
    SYSTEM_INFO system{};
    GetSystemInfo(&system);
    const MemoryFigures now = ReadMemoryFigures();

    ReportFigures figures;
    figures.before = StatusBefore;
    figures.after = StatusAfter;
    figures.availPhysBytes = now.availPhys;
    figures.totalPhysBytes = now.totalPhys;
    figures.pageSize = system.dwPageSize;
    figures.cleanUpRun = CleanState.cleanUpRun;

    CResourceText texts;
    CReportDlg dialog;
    const CleaningReport report = LayOutCleaningReport(figures, LookUpReportTexts(texts));
    dialog.SetTexts(report);
    dialog.DoModal(nullptr);
    return report.gained ? 1 : 0;
}
