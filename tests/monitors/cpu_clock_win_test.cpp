#include "monitors/cpu_brand.h"
#include "monitors/cpu_clock_win.h"
#include "monitors/cpu_description_win.h"
#include "monitors/cpu_info.h"
#include "monitors/cpu_probe_win.h"
#include "support/registry_snapshot_win.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

const char kProcessorKey[] = "Hardware\\Description\\System\\CentralProcessor\\0";

// A text Wine (and Windows) keeps about the first processor, read apart from the code under test.
std::string ProcessorText(const char* name)
{
    char text[64] = {};
    DWORD size = sizeof(text);
    RegGetValueA(HKEY_LOCAL_MACHINE, kProcessorKey, name, RRF_RT_REG_SZ, nullptr, text, &size);
    return text;
}

// The processor's "~MHz" is taken when present, else the clock is measured at a raised priority,
// put back afterwards; both measurements agree, and the processor is the host's, also as the
// system describes it for ARM64, where its cache records must agree with CPUID.
TEST(CpuWin, ClockFromTheRegistryElseMeasuredAndThisProcessorIdentified)
{
    testing_support::RegistrySnapshot saved(HKEY_LOCAL_MACHINE, kProcessorKey);
    ASSERT_TRUE(testing_support::WriteDword(HKEY_LOCAL_MACHINE, kProcessorKey, "~MHz", 2394));
    EXPECT_EQ(GetCpuClockText(), "2394 MHZ");
    EXPECT_EQ(DescribeSystemCpu().mhz, 2394u);
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
    // A counter read at the wrong width or shift is off by a factor of two or more; two measurements
    // on a machine busy with other work differ by much less.
    EXPECT_NEAR(static_cast<double>(timer), measured, 0.3 * measured);

    CCpuInfo info(SystemCpuProbe());
    info.Identify();
    EXPECT_STRNE(info.GetName(), "");
    EXPECT_NEAR(info.GetClockMHz(), measured, 0.3 * measured);
    EXPECT_GT(info.GetCacheSize(CCpuInfo::kLevel2Selector), 0);
    EXPECT_EQ(std::string(info.vendorString), ProcessorText("VendorIdentifier"));
    EXPECT_EQ(GetCpuBrandName(), ProcessorText("ProcessorNameString"));

    const CpuDescription described = DescribeSystemCpu();
    EXPECT_EQ(described.name, DescribedCpuName(ProcessorText("ProcessorNameString"), ""));
    EXPECT_EQ(described.level2Cache, info.GetCacheSize(CCpuInfo::kLevel2Selector));
}

} // namespace
