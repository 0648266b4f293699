#include "monitors/cpu_usage_win.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "app/cleaning/system_load_win.h"
#include "common/windows_family_win.h"
#include "monitors/cpu_usage.h"
#include "support/child_process_win.h"
#include "support/pretend_machine.h"
#include "support/registry_snapshot_win.h"

namespace {

constexpr char kChildVariable[] = "TIDEWELL_WIN98_CHILD";

// The kernel takes the query buffers only at its own sizes: a first sample is kept, and a load is
// measured once the system clock has moved on.
TEST(CpuUsageWin, NtPathMeasuresAgainstTheSampleBefore)
{
    PreviousCpuSample = {};
    int32_t load = -1;
    CCpuUsage::SampleNt(&load);
    ASSERT_NE(PreviousCpuSample.idleTime, 0u) << "the kernel refused the queries";
    for (const DWORD start = GetTickCount(); load == -1 && GetTickCount() - start < 5000; SleepEx(1, FALSE))
        CCpuUsage::SampleNt(&load);
    EXPECT_GE(load, 0);
    EXPECT_LE(load, 100);
    int32_t freePercent = -1;
    testing_support::PretendMachine machine(128 * testing_support::kMB, 96 * testing_support::kMB);
    GetSystemLoad(&load, &freePercent);
    EXPECT_EQ(freePercent, 75);
    PreviousCpuSample = {};
}

// Wine fixes a program's version when it starts: this test program runs again as Windows 98. A
// 64-bit program is NT whatever the version says: a compatibility layer that fakes it must not
// send the program down the paths of a system without access control.
TEST(CpuUsageWin98, AFakedVersionKeepsTheNtPath)
{
    if (std::getenv(kChildVariable)) {
        OSVERSIONINFOA version{};
        version.dwOSVersionInfoSize = sizeof(version);
        GetVersionExA(&version);
        ASSERT_NE(version.dwPlatformId, static_cast<DWORD>(VER_PLATFORM_WIN32_NT)) << "not faked";
        EXPECT_FALSE(IsWindows9x());
        int32_t load = 42;
        CCpuUsage::Sample(&load);
        EXPECT_NE(PreviousCpuSample.idleTime, 0u) << "the 9x path was taken";
        return;
    }
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    const std::string appKey = std::string("Software\\Wine\\AppDefaults\\").append(strrchr(exe, '\\') + 1);
    ASSERT_TRUE(testing_support::WriteValue(HKEY_CURRENT_USER, appKey, "Version", REG_SZ, "win98", 6));
    SetEnvironmentVariableA(kChildVariable, "1");
    const DWORD exitCode =
        testing_support::ChildProcess("\"" + std::string(exe) + "\" --gtest_filter=CpuUsageWin98.*").ExitCode(60000);
    SetEnvironmentVariableA(kChildVariable, nullptr);
    RegDeleteTreeA(HKEY_CURRENT_USER, appKey.c_str());
    EXPECT_EQ(exitCode, 0u) << "the Windows 98 child failed";
}

} // namespace
