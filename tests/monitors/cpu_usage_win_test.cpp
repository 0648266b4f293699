#include "monitors/cpu_usage_win.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "common/registry_key_win.h"
#include "memory/pretend_machine.h"
#include "monitors/cpu_usage.h"
#include "monitors/system_load_win.h"
#include "support/child_process_win.h"
#include "support/registry_snapshot_win.h"
#include "win32/handles.h"

namespace {

constexpr char kChildVariable[] = "TIDEWELL_WIN98_CHILD";

TEST(CpuUsageWin, NtPathMeasuresAgainstTheSampleBefore)
{
    PreviousCpuSample = {};
    int32_t load = -1;
    CCpuUsage::SampleNt(&load);
    EXPECT_EQ(load, -1) << "first sample";
    ASSERT_NE(PreviousCpuSample.idleTime, 0u) << "the kernel refused the queries";
    Sleep(500);
    int32_t freePercent = -1;
    testing_support::PretendMachine machine(128 * testing_support::kMB, 96 * testing_support::kMB);
    GetSystemLoad(&load, &freePercent);
    EXPECT_GE(load, 0);
    EXPECT_LE(load, 100);
    EXPECT_EQ(freePercent, 75);
    PreviousCpuSample = {};
}

TEST(CpuUsageWin, PublishedLoadOfAPlantedRootIsReturnedAsRead)
{
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\TidewellTests");
    CRegistryKey root;
    ASSERT_EQ(root.Open(HKEY_CURRENT_USER, "Software", KEY_ALL_ACCESS), ERROR_SUCCESS);
    ASSERT_EQ(root.CreateSubKey("TidewellTests\\DynData"), ERROR_SUCCESS);
    const auto plant = [](const std::string& key, DWORD value) {
        testing_support::WriteValue(HKEY_CURRENT_USER, "Software\\TidewellTests\\DynData\\" + key,
                                    "KERNEL\\CPUUsage", REG_BINARY, &value, 4);
    };
    int32_t load = 5;
    EXPECT_EQ(CCpuUsage::Sample9x(&load, root.Handle()), ERROR_FILE_NOT_FOUND);
    plant("PerfStats\\StartStat", 0);
    EXPECT_EQ(CCpuUsage::Sample9x(&load, root.Handle()), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(load, 5) << "no statistics: untouched";
    plant("PerfStats\\StatData", 123);
    EXPECT_EQ(CCpuUsage::Sample9x(&load, root.Handle()), ERROR_SUCCESS);
    EXPECT_EQ(load, 123) << "not clamped";
    root.Close();
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\TidewellTests");
}

TEST(CpuUsageWin98, ChildInWindows98Mode)
{
    if (!std::getenv(kChildVariable))
        GTEST_SKIP() << "runs in the child started by RunsInWindows98Mode";
    EXPECT_TRUE(IsWindows9x());
    int32_t load = 42; // Wine's HKEY_DYN_DATA publishes no statistics
    EXPECT_NE(CCpuUsage::Sample9x(&load), ERROR_SUCCESS);
    EXPECT_EQ(load, 42);
    CCpuUsage::Sample(&load);
    EXPECT_EQ(load, 0);
    EXPECT_EQ(PreviousCpuSample.idleTime, 0u) << "the NT path was taken";
}

// Wine fixes a program's version when it starts: run this test program again as Windows 98.
TEST(CpuUsageWin98, RunsInWindows98Mode)
{
    if (std::getenv(kChildVariable))
        GTEST_SKIP();
    EXPECT_FALSE(IsWindows9x());
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    const std::string appKey = std::string("Software\\Wine\\AppDefaults\\").append(strrchr(exe, '\\') + 1);
    ASSERT_TRUE(testing_support::WriteValue(HKEY_CURRENT_USER, appKey, "Version", REG_SZ, "win98", 6));
    SetEnvironmentVariableA(kChildVariable, "1");
    std::string command = std::string(1, '"').append(exe).append(
        "\" --gtest_filter=CpuUsageWin98.ChildInWindows98Mode");
    DWORD exitCode = testing_support::ChildProcess(command).ExitCode(60000);
    SetEnvironmentVariableA(kChildVariable, nullptr);
    RegDeleteTreeA(HKEY_CURRENT_USER, appKey.c_str());
    EXPECT_EQ(exitCode, 0u) << "the Windows 98 child failed";
}

} // namespace
