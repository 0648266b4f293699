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

bool IsUninstallArgument(const std::string& argument)
{
    const std::string upper = Upper(argument);
    return upper == "-UNINSTALL" || upper == "/UNINSTALL";
}
