#include "app/settings.h"

std::string AutostartCommand(const std::string& programPath)
{
    return "\"" + programPath + "\" -PowerOn";
}

RulesSettings TickSettings::Rules() const
{
    RulesSettings rules;
    rules.alertValue = ramAlertValue;
    rules.soundAlert = soundAlert;
    rules.autoDefrag = autoDefrag;
    rules.standbyAutoClean = standbyAutoClean;
    rules.askFirst = askFirst;
    rules.intervalMinutes = intervalMinutes;
    rules.backOffPercent = backOffPercent;
    rules.programsPause = !pausePrograms.empty();
    return rules;
}
