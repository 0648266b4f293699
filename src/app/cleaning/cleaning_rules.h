#pragma once
// The once-a-second rules as one decision: the alert sound, automatic cleaning (at the alert value
// or on a full standby list) and the tray's busy picture, and when the first two stay away: a run
// in progress, a cancelled question, too soon after the last automatic clean, cleans whose memory
// came back within a minute (when the user asks for that wait), a full-screen
// program, a presentation, quiet hours, a listed program. The main window feeds it what it read and
// does what it says; manual cleans and the console program's requests never come here. Also the
// alert value box's bounds. Free of any window, so tested natively.
#include <cstdint>
#include <functional>
#include <string>

#include "app/settings/settings.h"

// Why something due did not happen. The numbers stay as they are: records keep them.
enum class HoldReason : uint8_t {
    None = 0,
    Running = 1,      // a run is in progress
    Cancelled = 2,    // the question was cancelled: held until no trigger is due any more
    TooSoon = 3,      // the minimum time since the last automatic clean has not passed
    BackOff = 4,      // the last automatic cleans freed little: the wait has grown
    FullScreen = 5,   // a full-screen Direct3D program
    Presentation = 6, // presentation mode
    ShellBusy = 7,    // the shell reports a full-screen program of another kind
    QuietTime = 8,    // quiet hours
    Program = 9,      // a program of the pause list runs
    NotHelping = 10,  // the last automatic cleans' memory was back in use within a minute
};
// One word per reason for records: "running", "too-soon", "full-screen", ...
const char* HoldReasonName(HoldReason reason);
// The text key of a recorded reason's words (HistoryReason...); nullptr for a word it does not know.
const char* HoldReasonHistoryKey(const std::string& word);

// The shell's user notification state (the QUNS_ values) as a reason to stay quiet.
HoldReason ShellHoldReason(int notificationState);

// The stored settings the rules use; what the tick reads when nothing is stored.
struct RulesSettings {
    int32_t alertValue = 30; // free memory in percent at or below which the alert and the clean act
    bool soundAlert = false;
    bool autoDefrag = false;
    bool standbyAutoClean = false;
    bool askFirst = true;
    int32_t intervalMinutes = 0; // at least this long between automatic cleans
    int32_t backOffPercent = 0;  // a clean that frees less of the installed memory doubles the wait
    bool programsPause = false;  // the pause list names programs
    bool pauseUnhelpful = false; // wait, as the back-off does, while cleans come back within a minute
};
// Automatic cleans in a row whose memory came back before the wait for it begins.
constexpr int32_t kUnhelpfulInARow = 3;
// What the rules take of the tick's stored settings.
RulesSettings RulesOf(const TickSettings& stored);

// What costs a system call to read: asked only when the decision needs it, at most once a tick.
struct RulesProbes {
    std::function<bool()> standbyFull;            // the standby list at its share of the memory
    std::function<int()> shellState;              // SHQueryUserNotificationState
    std::function<std::string()> pausingProgram;  // a running program of the pause list; empty: none
};

enum class CleanAction { None, Ask, Clean };

struct RulesActions {
    bool alert = false; // show the alert picture and play the sound
    CleanAction clean = CleanAction::None;
    bool standby = false;     // the standby list, not free memory, called for the clean (also a held one)
    bool busyPicture = false; // the tray shows the busy picture instead of the figures
    HoldReason held = HoldReason::None;
    std::string program;      // the listed program that holds it (Program)
    int32_t waitMinutes = 0;  // TooSoon, BackOff: minutes left, rounded up
    bool recordSkip = false;  // a due clean is held for another reason than at the last tick: record it
};

class CleaningRules {
public:
    // nowMs: a millisecond count that may wrap (the tick is asked every second).
    RulesActions Decide(uint32_t nowMs, bool busy, int32_t freePercent, const RulesSettings& settings,
                        const RulesProbes& probes);
    // A cancel holds automatic cleaning until no trigger is due at a tick.
    void Answered(bool accepted);
    // The end of a run these rules started: megabytes of available memory it gained, of the
    // installed memory. Runs of the buttons, the tray and the console start no wait.
    void AutomaticRunEnded(uint32_t nowMs, int32_t freedMB, int32_t totalMB, int32_t backOffPercent);
    // The minute after such a run was measured: whether most of what it freed was in use again.
    void AutomaticFollowUpEnded(bool cameBack);

private:
    int32_t Doublings(const RulesSettings& settings) const;

    bool armed_ = true;
    bool waiting_ = false;    // an automatic clean ended and its wait may not be over
    uint32_t lastEndMs_ = 0;
    int32_t littleFreed_ = 0; // automatic cleans in a row that freed less than the share
    int32_t cameBack_ = 0;    // automatic cleans in a row whose memory came back within a minute
    HoldReason heldClean_ = HoldReason::None; // what held a due clean at the last tick
};

// The tray tooltip's line for what holds automatic cleaning; empty when nothing the user should
// know of does. lookup gives the interface text of a key.
std::string HoldTipLine(const RulesActions& actions, const std::function<std::string(const char*)>& lookup);

// The alert value box holds 1 to 75; a typed value outside is replaced by the nearest bound.
struct AlertValue {
    int value = 0;
    bool outOfRange = false;
};
AlertValue ClampAlertValue(const std::string& text);
