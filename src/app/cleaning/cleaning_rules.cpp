#include "app/cleaning/cleaning_rules.h"

#include <algorithm>
#include <cstdlib>

#include "common/program_list.h"
#include "memory/cleaning_methods.h"

namespace {

struct ReasonRow {
    HoldReason reason;
    const char* name;
    const char* tipKey;     // nullptr: the tooltip says nothing of it
    const char* historyKey; // nullptr: never recorded
};
constexpr ReasonRow kReasons[] = {
    {HoldReason::None, "none", nullptr, nullptr},
    {HoldReason::Running, "running", nullptr, nullptr},
    {HoldReason::Cancelled, "cancelled", nullptr, "HistoryReasonCancelled"},
    {HoldReason::TooSoon, "too-soon", "TipWaitTooSoon", "HistoryReasonTooSoon"},
    {HoldReason::BackOff, "back-off", "TipWaitBackOff", "HistoryReasonBackOff"},
    {HoldReason::FullScreen, "full-screen", "TipPausedFullScreen", "HistoryReasonFullScreen"},
    {HoldReason::Presentation, "presentation", "TipPausedPresentation", "HistoryReasonPresentation"},
    {HoldReason::ShellBusy, "shell-busy", "TipPausedShellBusy", "HistoryReasonShellBusy"},
    {HoldReason::QuietTime, "quiet-time", "TipPausedQuietTime", "HistoryReasonQuietTime"},
    {HoldReason::Program, "program", "TipPausedProgram", "HistoryReasonProgram"},
    {HoldReason::NotHelping, "not-helping", "TipWaitNotHelping", "HistoryReasonNotHelping"},
};

const ReasonRow& RowOf(HoldReason reason)
{
    const auto* row = std::ranges::find(kReasons, reason, &ReasonRow::reason);
    return row == std::end(kReasons) ? kReasons[0] : *row;
}

constexpr uint32_t kMinuteMs = 60 * 1000;
constexpr int32_t kMostLittleFreedCounted = 6; // 2^6 minutes already passes the longest wait

} // namespace

const char* HoldReasonName(HoldReason reason) { return RowOf(reason).name; }

const char* HoldReasonHistoryKey(const std::string& word)
{
    for (const ReasonRow& row : kReasons)
        if (word == row.name)
            return row.historyKey;
    return nullptr;
}

HoldReason ShellHoldReason(int notificationState)
{
    switch (notificationState) {
    case 2: return HoldReason::ShellBusy;    // QUNS_BUSY
    case 3: return HoldReason::FullScreen;   // QUNS_RUNNING_D3D_FULL_SCREEN
    case 4: return HoldReason::Presentation; // QUNS_PRESENTATION_MODE
    case 6: return HoldReason::QuietTime;    // QUNS_QUIET_TIME
    default: return HoldReason::None;        // accepts notifications, locked, screen saver, a store app
    }
}

int32_t CleaningRules::Doublings(const RulesSettings& settings) const
{
    const int32_t unhelpful = settings.pauseUnhelpful && cameBack_ >= kUnhelpfulInARow ? cameBack_ - kUnhelpfulInARow + 1 : 0;
    return std::max(littleFreed_, unhelpful);
}

namespace {

int32_t WaitMinutes(int32_t intervalMinutes, int32_t doublings)
{
    const int32_t interval = std::clamp(intervalMinutes, 0, kMaxIntervalMinutes);
    if (doublings == 0)
        return interval;
    return std::max(interval, std::min(kMaxIntervalMinutes, std::max(interval, 1) << doublings));
}

} // namespace

RulesActions CleaningRules::Decide(uint32_t nowMs, bool busy, int32_t freePercent, const RulesSettings& settings,
                               const RulesProbes& probes)
{
    RulesActions actions;
    const bool low = freePercent <= settings.alertValue;
    const bool lowDue = settings.autoDefrag && low;
    if (busy) {
        actions.busyPicture = true;
        actions.held = lowDue ? HoldReason::Running : HoldReason::None;
        heldClean_ = HoldReason::None;
        return actions;
    }

    int32_t waitLeft = 0;
    if (waiting_) {
        const uint32_t waitMs = static_cast<uint32_t>(WaitMinutes(settings.intervalMinutes, Doublings(settings))) * kMinuteMs;
        const uint32_t elapsed = nowMs - lastEndMs_;
        if (elapsed >= waitMs)
            waiting_ = false; // over: a count that wraps later cannot bring it back
        else
            waitLeft = static_cast<int32_t>((waitMs - elapsed + kMinuteMs - 1) / kMinuteMs);
    }

    const bool due = lowDue || (settings.standbyAutoClean && probes.standbyFull && probes.standbyFull());
    if (!due)
        armed_ = true;
    const bool wanted = due && armed_;
    bool clean = wanted;
    if (due && !armed_)
        actions.held = HoldReason::Cancelled;
    if (clean && waitLeft > 0) {
        clean = false;
        const int32_t doublings = Doublings(settings);
        actions.held = doublings == 0             ? HoldReason::TooSoon
                       : doublings == littleFreed_ ? HoldReason::BackOff
                                                   : HoldReason::NotHelping;
        actions.waitMinutes = waitLeft;
    }

    // The shell and the process list are read only when something would happen now.
    bool alert = settings.soundAlert && low;
    if (clean || alert) {
        HoldReason pause = probes.shellState ? ShellHoldReason(probes.shellState()) : HoldReason::None;
        if (pause == HoldReason::None && settings.programsPause && probes.pausingProgram) {
            actions.program = probes.pausingProgram();
            if (!actions.program.empty())
                pause = HoldReason::Program;
        }
        if (pause != HoldReason::None) {
            if (clean || actions.held == HoldReason::None)
                actions.held = pause;
            clean = alert = false;
        }
    }

    actions.alert = alert;
    actions.standby = wanted && !lowDue;
    if (clean)
        actions.clean = settings.askFirst ? CleanAction::Ask : CleanAction::Clean;
    // A held clean goes into the history once each time what holds it changes, not every tick.
    const HoldReason heldClean = wanted && !clean ? actions.held : HoldReason::None;
    actions.recordSkip = heldClean != HoldReason::None && heldClean != heldClean_;
    heldClean_ = heldClean;
    return actions;
}

void CleaningRules::Answered(bool accepted)
{
    if (!accepted)
        armed_ = false;
}

void CleaningRules::AutomaticRunEnded(uint32_t nowMs, int32_t freedMB, int32_t totalMB, int32_t backOffPercent)
{
    const bool little = backOffPercent > 0 && int64_t{freedMB} * 100 < int64_t{backOffPercent} * totalMB;
    littleFreed_ = little ? std::min(littleFreed_ + 1, kMostLittleFreedCounted) : 0;
    waiting_ = true;
    lastEndMs_ = nowMs;
}

void CleaningRules::AutomaticFollowUpEnded(bool cameBack)
{
    cameBack_ = cameBack ? std::min(cameBack_ + 1, kUnhelpfulInARow - 1 + kMostLittleFreedCounted) : 0;
    waiting_ = true; // a wait that grows now counts from the clean's end, as the back-off's does
}

std::string HoldTipLine(const RulesActions& actions, const std::function<std::string(const char*)>& lookup)
{
    const char* key = RowOf(actions.held).tipKey;
    if (!key)
        return {};
    const std::string argument =
        actions.held == HoldReason::Program ? FileNamePart(actions.program) : std::to_string(actions.waitMinutes);
    return FillPlaceholders(lookup(key), {argument});
}

AlertValue ClampAlertValue(const std::string& text)
{
    const int typed = std::atoi(text.c_str());
    AlertValue result{std::clamp(typed, kAlertMin, kAlertMax), false};
    result.outOfRange = result.value != typed;
    return result;
}

RulesSettings RulesOf(const TickSettings& stored)
{
    RulesSettings rules;
    rules.alertValue = stored.ramAlertValue;
    rules.soundAlert = stored.soundAlert;
    rules.autoDefrag = stored.autoDefrag;
    rules.standbyAutoClean = stored.standbyAutoClean;
    rules.askFirst = stored.askFirst;
    rules.intervalMinutes = stored.intervalMinutes;
    rules.backOffPercent = stored.backOffPercent;
    rules.pauseUnhelpful = stored.pauseUnhelpful;
    rules.programsPause = !stored.pausePrograms.empty();
    return rules;
}
