#include "monitors/cpu_brand.h"
#include "monitors/cpu_clock_win.h"
#include "monitors/cpu_info.h"
#include "monitors/cpu_probe_win.h"
#include "support/registry_snapshot_win.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace {

const char kProcessorKey[] = "Hardware\\Description\\System\\CentralProcessor\\0";

// A field of the first processor in the Linux host's /proc/cpuinfo, through Wine's drive Z.
std::string ProcCpuinfoField(const std::string& field)
{
    std::ifstream in("Z:\\proc\\cpuinfo");
    for (std::string line; std::getline(in, line);)
        if (line.rfind(field, 0) == 0 && line.find(": ") != std::string::npos)
            return line.substr(line.find(": ") + 2);
    return "";
}

std::string Trim(const std::string& s)
{
    const size_t first = s.find_first_not_of(' ');
    return first == std::string::npos ? "" : s.substr(first, s.find_last_not_of(' ') - first + 1);
}

// The processor's "~MHz" is taken when present, else the clock is measured at a raised priority,
// put back afterwards; both measurements agree, and the processor is the host's.
TEST(CpuWin, ClockFromTheRegistryElseMeasuredAndThisProcessorIdentified)
{
    testing_support::RegistrySnapshot saved(HKEY_LOCAL_MACHINE, kProcessorKey);
    ASSERT_TRUE(testing_support::WriteDword(HKEY_LOCAL_MACHINE, kProcessorKey, "~MHz", 2394));
    EXPECT_EQ(GetCpuClockText(), "2394 MHZ");
    testing_support::DeleteValue(HKEY_LOCAL_MACHINE, kProcessorKey, "~MHz");

    const HANDLE self = GetCurrentProcess();
    ASSERT_TRUE(SetPriorityClass(self, BELOW_NORMAL_PRIORITY_CLASS));
    DWORD during = 0;
    const ClockMethods methods{[&] { during = GetPriorityClass(self); return 0u; }, nullptr, nullptr};
    EXPECT_EQ(GetCpuClockText(methods), "Unknown");
    EXPECT_EQ(during, static_cast<DWORD>(HIGH_PRIORITY_CLASS));
    EXPECT_EQ(GetPriorityClass(self), static_cast<DWORD>(BELOW_NORMAL_PRIORITY_CLASS));
    SetPriorityClass(self, NORMAL_PRIORITY_CLASS);
    const std::string text = GetCpuClockText();
    const uint32_t timer = MeasureClockTimer();
    saved.Restore();
    int measured = 0;
    ASSERT_EQ(std::sscanf(text.c_str(), "%d MHZ", &measured), 1) << text;
    EXPECT_NEAR(static_cast<double>(timer), measured, 0.1 * measured);

    CCpuInfo info(SystemCpuProbe());
    info.Identify();
    EXPECT_FALSE(Trim(info.GetName()).empty());
    EXPECT_NEAR(info.GetClockMHz(), measured, 0.1 * measured);
    EXPECT_GT(info.GetCacheSize(CCpuInfo::kLevel2Selector), 0);
    const std::string vendorId = ProcCpuinfoField("vendor_id");
    if (vendorId.empty())
        GTEST_SKIP() << "no /proc/cpuinfo through drive Z";
    EXPECT_EQ(info.vendorString, vendorId);
    EXPECT_EQ(Trim(GetCpuBrandName()), Trim(ProcCpuinfoField("model name")));
}

} // namespace
