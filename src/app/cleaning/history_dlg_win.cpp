#include "app/cleaning/history_dlg_win.h"

#include <algorithm>

#include "app/cleaning/history_texts.h"
#include "common/clock.h"
#include "common/protected_place_win.h"
#include "common/resource_text.h"
#include "common/spoken_text.h"
#include "history/history_file.h"
#include "history/history_store_win.h"
#include "resources/resource.h"
#include "win32/dialog_texts.h"
#include "win32/window_text.h"

CHistoryDlg::CHistoryDlg(std::optional<CleanRecord> waiting)
    : win32::ToolDialog(IDD_HISTORY_DIALOG), waiting_(std::move(waiting))
{
}

void CHistoryDlg::FitText(int id) const
{
    const HWND text = Item(id), list = Item(IDC_HISTORY_LIST);
    const RECT place = win32::PlaceInParent(text);
    const int grow = win32::WrappedTextHeight(text, GetItemText(id)) - (place.bottom - place.top);
    if (grow <= 0)
        return;
    SetWindowPos(text, nullptr, 0, 0, place.right - place.left, place.bottom - place.top + grow, SWP_NOZORDER | SWP_NOMOVE);
    for (const int below : {IDC_HISTORY_STATUS, IDC_HISTORY_LIST}) {
        const RECT at = win32::PlaceInParent(Item(below));
        if (at.top < place.bottom)
            continue;
        const int shrink = Item(below) == list ? grow : 0;
        SetWindowPos(Item(below), nullptr, at.left, at.top + grow, at.right - at.left, at.bottom - at.top - shrink,
                     SWP_NOZORDER);
    }
}

BOOL CHistoryDlg::OnInit()
{
    CResourceText texts;
    win32::ApplyTexts(*this, texts.Lookup(), "IDD_HISTORY_DIALOG", {win32::TextItem{IDCANCEL, "HistoryClose"}});
    const TextLookup text = [&texts](const char* key) { return texts.Text(key); };

    const std::string folder = HistoryFolder();
    HistoryRead read = ReadHistory(folder);
    if (waiting_ && !read.refused) // one that will not be kept either is not shown as if it were
        read.records.push_back(*waiting_);
    const std::vector<CleanRecord> newestFirst = SelectRecords(read.records, {});
    const char* statusKey = read.refused      ? "HistoryNotKept"
                            : read.unreadable ? "HistoryUnreadable"
                            : newestFirst.empty() ? "HistoryNone"
                                                  : "HistoryCount";
    const std::string reason = read.refused ? PlaceReasonText(*read.refused) : std::string();
    SetItemText(IDC_HISTORY_STATUS,
                FillPlaceholders(texts.Text(statusKey), {std::to_string(newestFirst.size()), folder, reason}));
    std::string summary;
    for (const std::string& line : SummaryLines(SummariseCleans(read.records, CurrentLocalTime(), kHistoryChartDays), text))
        summary += (summary.empty() ? "" : "\n") + line;
    SetItemText(IDC_HISTORY_SUMMARY, summary);
    FitText(IDC_HISTORY_SUMMARY);
    FitText(IDC_HISTORY_STATUS);

    chart_.Attach(hwnd(), IDC_HISTORY_CHART);
    chart_.SetPoints(FreedPoints(read.records, CurrentLocalTime()), kHistoryChartDays);
    SetItemText(IDC_HISTORY_CHART_TITLE,
                FillPlaceholders(texts.Text("HistoryChartTitle"),
                                 {std::to_string(kHistoryChartDays), std::to_string(chart_.Plan().topMB)}));
    // A screen reader hears the chart by its title, and the newest clean's figure as its value.
    const std::string newest = newestFirst.empty() ? std::string() : HistoryRowOf(newestFirst.front(), text).freed;
    chart_.Describe([this] { return SpokenText(GetItemText(IDC_HISTORY_CHART_TITLE)); }, [newest] { return newest; });

    list_ = win32::ListView(Item(IDC_HISTORY_LIST));
    list_.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    const struct {
        const char* key;
        int width;
        int format;
    } columns[] = {{"HistoryColumnTime", 135, LVCFMT_LEFT},  {"HistoryColumnTrigger", 140, LVCFMT_LEFT},
                   {"HistoryColumnFreed", 65, LVCFMT_RIGHT}, {"HistoryColumnDuration", 55, LVCFMT_RIGHT},
                   {"HistoryColumnResult", 175, LVCFMT_LEFT}, {"HistoryColumnAfter", 420, LVCFMT_LEFT}};
    for (int i = 0; i < static_cast<int>(std::size(columns)); ++i)
        list_.AddColumn(i, texts.Text(columns[i].key), columns[i].width, columns[i].format);
    SendMessageA(list_.hwnd(), WM_SETREDRAW, FALSE, 0);
    for (const CleanRecord& record : newestFirst) {
        HistoryRow row = HistoryRowOf(record, text);
        if (waiting_ && record == *waiting_)
            row.after = texts.Text("FollowUpMeasuring");
        const int at = list_.InsertRow(-1, row.time);
        const std::string* cells[] = {&row.trigger, &row.freed, &row.duration, &row.result, &row.after};
        for (int column = 1; column <= 5; ++column)
            list_.SetCell(at, column, *cells[column - 1]);
    }
    SendMessageA(list_.hwnd(), WM_SETREDRAW, TRUE, 0);
    return TRUE;
}
