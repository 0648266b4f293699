#include "monitors/cpu_usage_win.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "common/registry_key_win.h"
#include "memory/pretend_machine.h"
#include "monitors/cpu_usage.h"
#include "monitors/system_load_win.h"
#include "win32/handles.h"

namespace {

using testing_support::kMB;
using testing_support::PretendMachine;

constexpr char kChildVariable[] = "TIDEWELL_WIN98_CHILD";

TEST(CpuUsageWin, NtPathMeasuresAgainstTheSampleBefore)
{
    ASSERT_FALSE(IsWindows9x());
    PreviousCpuSample = {};
    int32_t load = -1;
    CCpuUsage::SampleNt(&load);
    EXPECT_EQ(load, -1) << "first sample";
    ASSERT_NE(PreviousCpuSample.idleTime, 0u) << "the kernel queries were refused";
    ASSERT_NE(PreviousCpuSample.systemTime, 0u);

    Sleep(500);
    CCpuUsage::SampleNt(&load);
    EXPECT_GE(load, 0);
    EXPECT_LE(load, 100);

    load = -1;
    Sleep(500);
    CCpuUsage::Sample(&load);
    EXPECT_GE(load, 0);
    EXPECT_LE(load, 100);
    PreviousCpuSample = {};
}

TEST(CpuUsageWin, SystemLoadGivesTheFreeShareOfThePretendedMachine)
{
    PretendMachine machine(128 * kMB, 96 * kMB);
    int32_t load = -1, freePercent = -1;
    GetSystemLoad(&load, &freePercent);
    EXPECT_EQ(freePercent, 75);
    EXPECT_GE(load, 0);
    EXPECT_LE(load, 100);
}

// A performance-statistics root of our own under HKCU.
class CpuUsage9xTest : public testing::Test {
protected:
    const std::string base_ = "Software\\TidewellTests\\DynData";

    void SetUp() override
    {
        RegDeleteTreeA(HKEY_CURRENT_USER, base_.c_str());
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, base_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, &root_, nullptr), ERROR_SUCCESS);
    }
    void TearDown() override
    {
        RegCloseKey(root_);
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\TidewellTests");
    }

    void Plant(const std::string& key, const BYTE* data, DWORD size)
    {
        CRegistryKey k;
        ASSERT_EQ(k.Open(root_, "", KEY_ALL_ACCESS), ERROR_SUCCESS);
        ASSERT_EQ(k.CreateSubKey(key), ERROR_SUCCESS);
        if (data) {
            ASSERT_EQ(RegSetValueExA(k.Handle(), "KERNEL\\CPUUsage", 0, REG_BINARY, data, size),
                      ERROR_SUCCESS);
        }
    }

    HKEY root_ = nullptr;
};

TEST_F(CpuUsage9xTest, PublishedLoadIsReturnedAsRead)
{
    const DWORD anything = 0, published = 123;
    int32_t load = 5;
    EXPECT_EQ(CCpuUsage::Sample9x(&load, root_), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(load, 5) << "no statistics: untouched";

    Plant("PerfStats\\StartStat", reinterpret_cast<const BYTE*>(&anything), 4);
    EXPECT_EQ(CCpuUsage::Sample9x(&load, root_), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(load, 5);

    Plant("PerfStats\\StatData", nullptr, 0);
    EXPECT_NE(CCpuUsage::Sample9x(&load, root_), ERROR_SUCCESS);
    EXPECT_EQ(load, 5) << "no value: untouched";

    Plant("PerfStats\\StatData", reinterpret_cast<const BYTE*>(&published), 4);
    EXPECT_EQ(CCpuUsage::Sample9x(&load, root_), ERROR_SUCCESS);
    EXPECT_EQ(load, 123) << "not clamped";
}

TEST(CpuUsageWin98, ChildInWindows98Mode)
{
    if (!std::getenv(kChildVariable))
        GTEST_SKIP() << "runs in the child started by RunsInWindows98Mode";
    EXPECT_TRUE(IsWindows9x());
    // Wine's HKEY_DYN_DATA opens but publishes no statistics.
    int32_t load = 42;
    EXPECT_NE(CCpuUsage::Sample9x(&load), ERROR_SUCCESS);
    EXPECT_EQ(load, 42);
    CCpuUsage::Sample(&load);
    EXPECT_EQ(load, 0);
    EXPECT_EQ(PreviousCpuSample.idleTime, 0u) << "the NT path was not taken";
}

// Wine picks the version per program when it starts: run this test program again as Windows 98.
TEST(CpuUsageWin98, RunsInWindows98Mode)
{
    if (std::getenv(kChildVariable))
        GTEST_SKIP();
    char exe[MAX_PATH] = {};
    ASSERT_GT(GetModuleFileNameA(nullptr, exe, MAX_PATH), 0u);
    std::string name = exe;
    name = name.substr(name.find_last_of("\\/") + 1);
    const std::string appKey = "Software\\Wine\\AppDefaults\\" + name;
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, appKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr), ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>("win98"), 6),
              ERROR_SUCCESS);
    RegCloseKey(key);
    SetEnvironmentVariableA(kChildVariable, "1");
    std::string command = std::string(1, '"').append(exe).append(
        "\" --gtest_filter=CpuUsageWin98.ChildInWindows98Mode");
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    const BOOL started = CreateProcessA(exe, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                        nullptr, &startup, &process);
    SetEnvironmentVariableA(kChildVariable, nullptr);
    DWORD exitCode = 1;
    if (started) {
        win32::UniqueHandle processHandle(process.hProcess), thread(process.hThread);
        EXPECT_EQ(WaitForSingleObject(process.hProcess, 60000), WAIT_OBJECT_0);
        GetExitCodeProcess(process.hProcess, &exitCode);
    }
    RegDeleteTreeA(HKEY_CURRENT_USER, appKey.c_str());
    ASSERT_TRUE(started);
    EXPECT_EQ(exitCode, 0u) << "the Windows 98 child failed";
}

} // namespace
