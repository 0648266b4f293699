#include "tools/process/process_view.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace {

std::string UpperCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

bool Contains(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

} // namespace

std::string ProcessDisplayPath(const std::string& rawPath, const std::string& windowsDir)
{
    static const std::string kDosDevices = "\\??\\";
    static const std::string kSystemRoot = "\\SystemRoot\\";
    if (const auto at = rawPath.find(kDosDevices); at != std::string::npos)
        return rawPath.substr(at + kDosDevices.size());
    if (const auto at = rawPath.find(kSystemRoot); at != std::string::npos)
        return windowsDir + "\\" + rawPath.substr(at + kSystemRoot.size());
    return rawPath;
}

std::string FormatProcessId(std::uint32_t id)
{
    char text[16];
    std::snprintf(text, sizeof text, "%8X", static_cast<unsigned>(id));
    return text;
}

std::string WorkingSetText(double megabytes)
{
    if (megabytes == 0.0)
        return kSystemServiceText;
    char text[64];
    std::snprintf(text, sizeof text, "%5.2fMB", megabytes);
    return text;
}

bool IsOwnProgramPath(const std::string& modulePath) { return Contains(UpperCase(modulePath), "TIDEWELL"); }

KillRefusal CheckKillRefusal(const std::string& modulePath, const std::string& memoryText)
{
    const std::string upper = UpperCase(modulePath);
    if (Contains(upper, "\\EXPLORER") || Contains(upper, "KERNEL32") || Contains(upper, "MPREXE.EXE"))
        return KillRefusal::SystemProcess;
    if (Contains(upper, "TIDEWELL"))
        return KillRefusal::OwnProgram;
    if (Contains(memoryText, kSystemServiceText))
        return KillRefusal::SystemProcess;
    return KillRefusal::None;
}
