#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "common/command_resolution.h"
#include "common/user_environment.h"
#include "common/web_address.h"

namespace {

// One machine's programs; the file system compares names without case.
const std::set<std::string> kFiles = {
    R"(c:\windows\system32\rundll32.exe)", R"(c:\windows\system32\cmd.exe)", R"(c:\windows\system32\notepad.exe)",
    R"(c:\windows\notepad.exe)", R"(c:\program files\vendor\agent.exe)", R"(d:\shared.exe)",
    R"(d:\shared tools\agent.exe)", "c:\\users\\li\\appdata\\local\\\xE5\x90\x8C\xE6\xAD\xA5\\sync.exe",
    R"(c:\tools\bin\tool.exe)", R"(relative\dir\rel.exe)", R"(c:\program files\vendor\agent.exe a a.exe)"};

// The user's environment: the block the system builds at logon.
const UserEnvironment kUser({"=C:=C:\\Users\\li", "SystemRoot=C:\\Windows", "USERPROFILE=C:\\Users\\li",
                             "LOCALAPPDATA=C:\\Users\\li\\AppData\\Local",
                             "Path=C:\\Tools\\bin;;\"C:\\Quoted Dir\";relative\\dir"});

// The command line to start, "?" and the candidates of a refused ambiguous one, or "" for nothing.
std::string Verdict(const ResolvedCommand& resolved)
{
    std::string text = resolved.verdict == CommandVerdict::Ambiguous ? "?" : resolved.commandLine;
    for (const std::string& candidate : resolved.candidates)
        text += candidate + "|";
    EXPECT_EQ(resolved.verdict == CommandVerdict::Resolved, text.starts_with("\"" + resolved.application + "\""));
    return text;
}

TEST(CommandResolution, RealCommandLinesNameOneProgramOrAreRefused)
{
    const std::vector<std::string> folders = ProgramSearchFolders(R"(C:\Windows\System32)", R"(C:\Windows)", kUser);
    int looks = 0;
    const FileExists exists = [&looks](std::string path) {
        ++looks;
        std::transform(path.begin(), path.end(), path.begin(), [](char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; });
        return kFiles.count(path) > 0;
    };
    std::string longArguments;
    while (longArguments.size() < 4960)
        longArguments += " a";
    const std::string agent = R"("C:\Program Files\Vendor\agent.exe")";
    const struct {
        std::string command; // as the Run key holds it
        bool expand;         // REG_EXPAND_SZ
        std::string verdict;
    } rows[] = {
        {agent + " /background", false, agent + " /background"},
        {R"(  C:\Program Files\Vendor\agent.exe -s "D:\My Files\a b.txt")", false, agent + R"( -s "D:\My Files\a b.txt")"},
        {R"(C:\Program Files\Vendor\agent)", false, agent},
        // Anyone who can write to D:\ could have put Shared.exe there.
        {R"(D:\Shared Tools\agent.exe /min)", false, R"(?D:\Shared.exe|D:\Shared Tools\agent.exe|)"},
        {R"(C:\Program Files\Vendor\agent.exe a a.exe)", false,
         R"(?C:\Program Files\Vendor\agent.exe|C:\Program Files\Vendor\agent.exe a a.exe|)"},
        {R"("D:\Shared Tools\agent.exe" /min)", false, R"("D:\Shared Tools\agent.exe" /min)"},
        {"rundll32 shell32.dll,Control_RunDLL desk.cpl", false,
         R"("C:\Windows\System32\rundll32.exe" shell32.dll,Control_RunDLL desk.cpl)"},
        {"notepad", false, R"("C:\Windows\System32\notepad.exe")"},
        {"tool\t--tray", false, "\"C:\\Tools\\bin\\tool.exe\"\t--tray"},
        {R"(%SystemRoot%\system32\cmd.exe /c "%USERPROFILE%\x.cmd")", true,
         R"("C:\Windows\system32\cmd.exe" /c "C:\Users\li\x.cmd")"},
        {R"(%SystemRoot%\system32\cmd.exe /c)", false, ""},
        {"%LOCALAPPDATA%\\\xE5\x90\x8C\xE6\xAD\xA5\\sync.exe --hidden", true,
         "\"C:\\Users\\li\\AppData\\Local\\\xE5\x90\x8C\xE6\xAD\xA5\\sync.exe\" --hidden"},
        {R"(C:\Missing\gone.exe -x)", false, ""},
        {"rel", false, ""}, // the relative folder of Path is not searched
        {R"(relative\dir\rel.exe)", false, ""},
        {agent + longArguments, false, agent + longArguments},
        {agent.substr(1, agent.size() - 2) + longArguments, false, agent + longArguments},
    };
    for (const auto& row : rows) {
        looks = 0;
        EXPECT_EQ(Verdict(ResolveCommand(row.expand ? kUser.Expand(row.command) : row.command, exists, folders)),
                  row.verdict)
            << row.command.substr(0, 80);
        EXPECT_LT(looks, 200) << "no name is longer than 255 characters, so no longer try is looked for";
    }
    EXPECT_EQ(kUser.Expand("%systemroot%\\a;%Nope%\\b;%%;100%"), "C:\\Windows\\a;%Nope%\\b;%%;100%");
}

TEST(CommandResolution, LinksOpenOnlyWebAndMailAddresses)
{
    for (const char* address : {"https://tidewell.example.org/", "HTTP://x.org/a?b=%20", "mailto:support@x.org"})
        EXPECT_TRUE(IsOpenableAddress(address)) << address;
    for (const char* target : {"mailto:", "https://x.org/ y", "https://x.org/\"", "https://x.org/\t", "file:///C:/x.exe",
                               R"(C:\Windows\System32\cmd.exe)", "javascript:alert(1)", "ms-settings:", "xhttps://x.org/"})
        EXPECT_FALSE(IsOpenableAddress(target)) << target;
}

} // namespace
