#include "app/cleaning/cleaning_dialogs_win.h"

#include <utility>

#include "app/cleaning/cleaning_methods_dlg_win.h"
#include "app/cleaning/defrag_query_dlg_win.h"
#include "app/cleaning/history_texts.h"
#include "app/cleaning/report_dlg_win.h"
#include "app/settings/settings_win.h"
#include "common/resource_text.h"
#include "common/windows_family_win.h"
#include "memory/clean_state.h"

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
    report.bytes = texts.TextOr("strUnitBytes", "bytes");
    report.pages = texts.TextOr("strUnitPages", "pages");
    return report;
}

// Every part of the words, at the widest figures.
std::string WidestFollowUpLine(const TextLookup& text)
{
    CleanRecord widest;
    widest.availBefore = widest.availAfterFollowUp = 1;
    widest.availAfter = uint64_t{999} << 30;
    widest.followUpEnd = FollowUpEnd::Gap;
    widest.followUpMs = 59999;
    widest.diskReadsBefore = 1;
    widest.diskReadsAfter = 999;
    return FollowUpWords(widest, text, true);
}

} // namespace

bool AskBeforeAutomaticClean(std::function<std::string()> loadLine, bool standby)
{
    CDefragQueryDlg dialog(std::move(loadLine), standby);
    if (dialog.NoNotice())
        return true; // asking is switched off: the dialog would answer OK unseen
    return dialog.DoModal(nullptr) == IDOK;
}

void OpenCleaningMethods(HWND owner)
{
    CCleaningMethodsDlg dialog(ReadCleaningMethodSettings(), MethodsOffered(RunningWindowsVersion()));
    if (dialog.DoModal(owner) == IDOK)
        WriteCleaningMethodSettings(dialog.Settings());
}

void ShowCleaningReport(const CleanMeasurement& measured, const RunOutcome& outcome, const std::string& lastLine,
                        std::function<std::string()> followUp)
{
    ReportFigures figures;
    figures.before = measured.StatusBeforeRun();
    figures.after = measured.StatusAfterRun();
    figures.availPhysBytes = measured.after.availPhys;
    figures.totalPhysBytes = measured.after.totalPhys;
    figures.pageSize = measured.pageSize;
    figures.cleanUpRun = CleanState.cleanUpRun;
    figures.anyStepDone = outcome.AnyStepDone();

    CResourceText texts;
    CReportDlg dialog;
    dialog.SetTexts(LayOutCleaningReport(figures, LookUpReportTexts(texts)));
    std::vector<std::string> lines = MethodReportLines(outcome, [&texts](const char* key) { return texts.Text(key); });
    if (!lastLine.empty())
        lines.push_back(lastLine);
    dialog.SetMethodLines(std::move(lines));
    if (followUp)
        dialog.SetLiveLine(std::move(followUp), WidestFollowUpLine([&texts](const char* key) { return texts.Text(key); }));
    dialog.DoModal(nullptr);
}
