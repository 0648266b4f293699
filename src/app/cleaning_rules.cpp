#include "app/cleaning_rules.h"

#include <algorithm>
#include <cstdlib>

AutoCleanAction DecideAutoClean(bool busy, bool due, bool& askArmed)
{
    if (busy)
        return AutoCleanAction::ShowBusy;
    if (!due) {
        askArmed = true;
        return AutoCleanAction::None;
    }
    return askArmed ? AutoCleanAction::Ask : AutoCleanAction::None;
}

void AfterAutoCleanAnswer(bool accepted, bool& askArmed)
{
    if (!accepted)
        askArmed = false;
}

bool AlertDue(bool soundAlert, bool busy, int32_t freePercent, int32_t alertValue)
{
    return soundAlert && !busy && freePercent <= alertValue;
}

AlertValue ClampAlertValue(const std::string& text)
{
    const int typed = std::atoi(text.c_str());
    AlertValue result{std::clamp(typed, kAlertMin, kAlertMax), false};
    result.outOfRange = result.value != typed;
    return result;
}
