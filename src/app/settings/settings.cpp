#include "app/settings/settings.h"

std::string AutostartCommand(const std::string& programPath)
{
    return "\"" + programPath + "\" -PowerOn";
}
