#include "app/cleaning/report_dlg_win.h"

#include <algorithm>

#include "common/resource_text.h"
#include "resources/resource.h"
#include "win32/handles.h"
#include "win32/program_name.h"
#include "win32/window_text.h"

CReportDlg::CReportDlg() : win32::ToolDialog(IDD_REPORT_DIALOG) {}

void CReportDlg::WriteControls()
{
    for (int id = kReportFirstControl; id <= kReportAdviceControl; ++id)
        SetItemText(id, report_.Text(id));
}

namespace {
constexpr UINT_PTR kLiveLineTimer = 1;
} // namespace

std::string CReportDlg::LinesText(const std::string& last) const
{
    std::string text;
    for (const std::string& line : methodLines_)
        text += (text.empty() ? "" : "\n") + line;
    if (!last.empty())
        text += (text.empty() ? "" : "\n") + last;
    return text;
}

void CReportDlg::ShowMethodLines()
{
    if (liveLine_)
        liveLineShown_ = liveLine_();
    const std::string text = LinesText(liveLineShown_);
    if (text.empty())
        return;
    const HWND lines = Item(IDC_REPORT_METHODS);
    const RECT place = win32::PlaceInParent(lines);
    // As high as the text needs at the control's width, wrapped lines included, and its live line
    // at its widest.
    const int needed = std::max(win32::WrappedTextHeight(lines, text),
                                win32::WrappedTextHeight(lines, LinesText(liveLine_ ? widestLiveLine_ : "")));
    RECT gap{0, 0, 0, 6};
    MapDialogRect(hwnd(), &gap);
    const int grow = needed + gap.bottom;
    SetWindowPos(lines, nullptr, place.left, place.top, place.right - place.left, needed, SWP_NOZORDER);
    SetItemText(IDC_REPORT_METHODS, text);
    ShowWindow(lines, SW_SHOW);
    const RECT button = win32::PlaceInParent(Item(IDOK));
    SetWindowPos(Item(IDOK), nullptr, button.left, button.top + grow, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
    RECT frame{};
    GetWindowRect(hwnd(), &frame);
    SetWindowPos(hwnd(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top + grow,
                 SWP_NOZORDER | SWP_NOMOVE);
}

BOOL CReportDlg::OnInit()
{
    WriteControls();
    ShowMethodLines();
    CResourceText texts;
    SetCaption(win32::kProgramName + texts.Text("ReportStr1"));
    SetItemText(IDOK, texts.Text("IDCANCELINARUN"));
    if (liveLine_)
        SetTimer(hwnd(), kLiveLineTimer, 1000, nullptr);
    return TRUE;
}

void CReportDlg::OnTimer(UINT_PTR id)
{
    if (id != kLiveLineTimer)
        return;
    std::string line = liveLine_();
    if (line == liveLineShown_)
        return;
    liveLineShown_ = std::move(line);
    SetItemText(IDC_REPORT_METHODS, LinesText(liveLineShown_));
}
