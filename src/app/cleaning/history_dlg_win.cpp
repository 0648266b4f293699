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

CHistoryDlg::CHistoryDlg() : win32::ToolDialog(IDD_HISTORY_DIALOG) {}

void CHistoryDlg::FitStatus() const
{
    // The status takes the lines its text needs; the list below gives up the room.
    const HWND status = Item(IDC_HISTORY_STATUS), list = Item(IDC_HISTORY_LIST);
    const RECT line = win32::PlaceInParent(status), below = win32::PlaceInParent(list);
    const int grow = win32::WrappedTextHeight(status, GetItemText(IDC_HISTORY_STATUS)) - (line.bottom - line.top);
    if (grow <= 0)
        return;
    SetWindowPos(status, nullptr, 0, 0, line.right - line.left, line.bottom - line.top + grow, SWP_NOZORDER | SWP_NOMOVE);
    SetWindowPos(list, nullptr, below.left, below.top + grow, below.right - below.left, below.bottom - below.top - grow,
                 SWP_NOZORDER);
}

BOOL CHistoryDlg::OnInit()
{
    CResourceText texts;
    win32::ApplyTexts(*this, texts.Lookup(), "IDD_HISTORY_DIALOG", {win32::TextItem{IDCANCEL, "HistoryClose"}});
    const TextLookup text = [&texts](const char* key) { return texts.Text(key); };

    const std::string folder = HistoryFolder();
    const HistoryRead read = ReadHistory(folder);
    const std::vector<CleanRecord> newestFirst = SelectRecords(read.records, {});
    const char* statusKey = read.refused      ? "HistoryNotKept"
                            : read.unreadable ? "HistoryUnreadable"
                            : newestFirst.empty() ? "HistoryNone"
                                                  : "HistoryCount";
    const std::string reason = read.refused ? PlaceReasonText(*read.refused) : std::string();
    SetItemText(IDC_HISTORY_STATUS,
                FillPlaceholders(texts.Text(statusKey), {std::to_string(newestFirst.size()), folder, reason}));
    FitStatus();

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
                   {"HistoryColumnResult", 175, LVCFMT_LEFT}};
    for (int i = 0; i < static_cast<int>(std::size(columns)); ++i)
        list_.AddColumn(i, texts.Text(columns[i].key), columns[i].width, columns[i].format);
    SendMessageA(list_.hwnd(), WM_SETREDRAW, FALSE, 0);
    for (const CleanRecord& record : newestFirst) {
        const HistoryRow row = HistoryRowOf(record, text);
        const int at = list_.InsertRow(-1, row.time);
        const std::string* cells[] = {&row.trigger, &row.freed, &row.duration, &row.result};
        for (int column = 1; column <= 4; ++column)
            list_.SetCell(at, column, *cells[column - 1]);
    }
    SendMessageA(list_.hwnd(), WM_SETREDRAW, TRUE, 0);
    return TRUE;
}
