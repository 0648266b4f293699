#include "app/settings/settings.h"

std::string AutostartCommand(const std::string& programPath)
{
    return "\"" + programPath + "\" -PowerOn";
}

std::optional<int32_t> InstallerAlertValue(const std::string& text)
{
    if (text.empty() || text.size() > 2 || text.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    const int32_t value = std::stoi(text);
    return value >= kAlertMin && value <= kAlertMax ? std::optional(value) : std::nullopt;
}
