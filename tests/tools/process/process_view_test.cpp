// How a process is shown and which processes the process manager refuses to end.
#include <gtest/gtest.h>

#include "tools/process/process_view.h"

namespace {

TEST(ProcessView, PathIdAndMemoryTexts)
{
    const struct {
        const char *raw, *shown;
    } paths[] = {
        {"\\??\\C:\\WINNT\\system32\\winlogon.exe", "C:\\WINNT\\system32\\winlogon.exe"},
        {"\\SystemRoot\\System32\\smss.exe", "C:\\WINDOWS\\System32\\smss.exe"},
        // Only the first occurrence counts; a "\??\" wins over a "\SystemRoot\".
        {"\\??\\C:\\a\\??\\b.exe", "C:\\a\\??\\b.exe"},
        {"\\SystemRoot\\\\??\\x.exe", "x.exe"},
    };
    for (const auto& c : paths)
        EXPECT_EQ(ProcessDisplayPath(c.raw, "C:\\WINDOWS"), c.shown) << c.raw;
    EXPECT_EQ(FormatProcessId(0x1A4), "     1A4");
    EXPECT_EQ(FormatProcessId(0xFFFFFFFFu), "FFFFFFFF");
    EXPECT_EQ(WorkingSetText(123.456), "123.46MB");
    EXPECT_EQ(WorkingSetText(0.001), " 0.00MB") << "only exactly zero means unreadable";
    EXPECT_EQ(WorkingSetText(0.0), "System Service");
}

TEST(ProcessView, KillRefusalsInTheirOrder)
{
    const struct {
        const char *path, *memory;
        KillRefusal expected;
    } cases[] = {
        {"C:\\WINDOWS\\Explorer.EXE", " 9.00MB", KillRefusal::SystemProcess},
        {"C:\\WINDOWS\\SYSTEM\\kernel32.dll", " 1.00MB", KillRefusal::SystemProcess},
        {"C:\\WINDOWS\\SYSTEM\\mprexe.exe", " 1.00MB", KillRefusal::SystemProcess},
        {"C:\\tidewell\\explorer_helper.exe", " 1.00MB", KillRefusal::SystemProcess},
        // "\EXPLORER" needs the backslash: a program merely named like it may be ended.
        {"C:\\Tools\\myexplorer.exe", " 2.00MB", KillRefusal::None},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CheckKillRefusal(c.path, c.memory), c.expected) << c.path << " / " << c.memory;
}

} // namespace
