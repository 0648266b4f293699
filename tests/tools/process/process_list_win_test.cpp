#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <sstream>

#include "support/test_paths.h"
#include "support/child_process_win.h"
#include "tools/process/process_list_win.h"
#include "win32/handles.h"

using testing_support::ChildFolder;
using testing_support::SleepingChild;

namespace {

// The entry of `id`, or -1.
int FindEntry(const CProcessList& list, DWORD id)
{
    for (int i = 0; i < list.Count(); ++i) {
        if (list.ProcessId(i) == id)
            return i;
    }
    return -1;
}

// A child is listed once its main module is loaded; poll briefly for it.
int RefreshUntilListed(CProcessList& list, bool toolHelp, DWORD id)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (list.Refresh(toolHelp) && FindEntry(list, id) >= 0)
            return FindEntry(list, id);
        Sleep(20);
    }
    return -1;
}

class ProcessListWin : public ::testing::TestWithParam<bool> {};

TEST_P(ProcessListWin, FindsTheChildWithItsFullPathAndThisProgram)
{
    ChildFolder folder("list");
    SleepingChild child(folder.path(), "sleeper.exe");
    ASSERT_TRUE(child.Started());
    CProcessList list;
    const int entry = RefreshUntilListed(list, GetParam(), child.Id());
    ASSERT_GE(entry, 0);
    EXPECT_EQ(_stricmp(list.ModulePath(entry).c_str(), child.Path().c_str()), 0) << list.ModulePath(entry);

    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    const int own = FindEntry(list, GetCurrentProcessId());
    ASSERT_GE(own, 0);
    EXPECT_EQ(_stricmp(list.ModulePath(own).c_str(), self), 0);
    EXPECT_GE(list.Count(), 3) << "Wine's own services and explorer run too";
}

INSTANTIATE_TEST_SUITE_P(BothPaths, ProcessListWin, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "ToolHelp" : "Psapi"; });

TEST(ProcessKill, GoneProcessFailsAtOnceAndReadsZero)
{
    DWORD goneId = 0;
    {
        ChildFolder folder("gone");
        SleepingChild child(folder.path(), "sleeper.exe");
        ASSERT_TRUE(child.Started());
        goneId = child.Id();
    } // ended and its handle closed
    // The id may be handed out again; only test while no live process has it.
    win32::UniqueHandle reused(OpenProcess(SYNCHRONIZE, FALSE, goneId));
    if (reused && WaitForSingleObject(reused.get(), 0) == WAIT_TIMEOUT)
        GTEST_SKIP() << "id reused";
    double megabytes = 1.0;
    EXPECT_FALSE(CProcessList::GetProcessWorkingSetMB(goneId, megabytes));
    EXPECT_EQ(megabytes, 0.0);
    EXPECT_FALSE(CProcessList::KillProcess(goneId));
}

// The Tool Help path as the Windows 95 family runs it: a probe program that Wine tells it is
// Windows 98 lists the processes and must find the child with its path.
class ProcessListWin98 : public ::testing::Test {
protected:
    static constexpr const char* kAppKey = "Software\\Wine\\AppDefaults\\process_probe.exe";
    void TearDown() override { RegDeleteKeyA(HKEY_CURRENT_USER, kAppKey); }
};

// Runs the probe and returns what it wrote.
std::string RunProbe(const std::filesystem::path& output, DWORD& exitCode)
{
    const std::string exe = (testing_support::TestProgramFolder() / "process_probe.exe").string();
    testing_support::ChildProcess probe("\"" + exe + "\" " + output.string());
    exitCode = probe.ExitCode(10000);
    return testing_support::ReadWholeFile(output);
}

TEST_F(ProcessListWin98, ToolHelpFindsTheChildInWindows98Mode)
{
    if (!GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version"))
        GTEST_SKIP() << "only Wine can pretend to be Windows 98";
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kAppKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>("win98"), 6);
    RegCloseKey(key);

    ChildFolder folder("win98");
    SleepingChild child(folder.path(), "sleeper.exe");
    ASSERT_TRUE(child.Started());
    CProcessList ready;
    ASSERT_GE(RefreshUntilListed(ready, true, child.Id()), 0);

    DWORD exitCode = 99;
    const std::string output = RunProbe(folder.path() / "probe.txt", exitCode);
    EXPECT_EQ(exitCode, 0u) << output;
    std::istringstream lines(output);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line.substr(0, 10), "platform 1") << "Wine did not pretend Windows 98";
    bool found = false;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const auto tab = line.find('\t');
        if (tab != std::string::npos && std::stoul(line.substr(0, tab)) == child.Id()) {
            found = true;
            EXPECT_EQ(_stricmp(line.substr(tab + 1).c_str(), child.Path().c_str()), 0) << line;
        }
    }
    EXPECT_TRUE(found) << output;
}

} // namespace
