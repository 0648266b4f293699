#pragma once
// The once-a-second rules (automatic cleaning, its question, the alert sound) and the alert value.
// Free of any window, so tested natively.
#include <cstdint>
#include <string>

// Automatic cleaning, once a second.
enum class AutoCleanAction {
    None,     // nothing to do
    ShowBusy, // a run is in progress
    Ask,      // ask (or clean at once when asking is switched off)
};
// A tick where no trigger is due arms asking again; a due trigger asks only while armed.
AutoCleanAction DecideAutoClean(bool busy, bool due, bool& askArmed);
// A cancelled question disarms until free memory has been above the alert value again.
void AfterAutoCleanAnswer(bool accepted, bool& askArmed);
// The alert sounds at or below the alert value while no run is in progress.
bool AlertDue(bool soundAlert, bool busy, int32_t freePercent, int32_t alertValue);

// The alert value box holds 1 to 75; a typed value outside is replaced by the nearest bound.
struct AlertValue {
    int value = 0;
    bool outOfRange = false;
};
AlertValue ClampAlertValue(const std::string& text);
constexpr int kAlertMin = 1;
constexpr int kAlertMax = 75;
