// The minute after each clean: its record waits while the display tick measures what comes back,
// and goes to the history when the minute is over, another clean begins or the program ends.
#include "app/main_window/main_dlg_win.h"

#include "app/cleaning/history_texts.h"
#include "common/resource_text.h"
#include "history/clean_summary.h"

void CMainDlg::FollowUp(CleanRecord record, uint32_t startTick)
{
    EndFollowUp(FollowUpEnd::NextClean); // already, unless a clean began without saying so
    ++followUps_;
    followUp_.Begin(std::move(record), TickCount(), pagingMinutes_.MinuteBefore(startTick));
}

void CMainDlg::EndFollowUp(FollowUpEnd why)
{
    if (auto ended = followUp_.End(why))
        FollowedUp(*ended);
}

void CMainDlg::FollowedUp(const CleanRecord& record)
{
    RecordClean(record);
    if (IsAutomatic(record.trigger))
        rules_.AutomaticFollowUpEnded(CameBack(record));
    CResourceText texts;
    lastFollowUpWords_.emplace(followUps_, FollowUpWords(record, [&texts](const char* key) { return texts.Text(key); }, true));
}

std::string CMainDlg::FollowUpLine(uint32_t number) const
{
    if (lastFollowUpWords_ && lastFollowUpWords_->first == number)
        return lastFollowUpWords_->second;
    return followUp_.Waiting() && followUps_ == number ? UiText("FollowUpMeasuring") : std::string();
}
