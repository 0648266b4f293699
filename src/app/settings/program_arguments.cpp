#include "app/settings/program_arguments.h"

#include <cctype>

namespace {

std::string Upper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

} // namespace

bool IsPowerOnArgument(const std::string& argument) { return Upper(argument).find("POWER") != std::string::npos; }

UninstallArguments ReadUninstallArguments(const std::vector<std::string>& rest)
{
    UninstallArguments read;
    for (const std::string& argument : rest) {
        const std::string upper = Upper(argument);
        if (upper.rfind("KEEPSETTINGS=", 0) == 0)
            read.keepSettings = upper != "KEEPSETTINGS=0";
        else if (upper.rfind("S-1-", 0) == 0 && !read.userSid)
            read.userSid = argument;
    }
    return read;
}

bool IsUninstallArgument(const std::string& argument)
{
    const std::string upper = Upper(argument);
    return upper == "-UNINSTALL" || upper == "/UNINSTALL";
}
