#include "monitors/cpu_brand.h"
#include "monitors/cpu_clock_win.h"
#include "monitors/cpu_info.h"
#include "monitors/cpu_probe_win.h"
#include "monitors/proc_cpuinfo.h"
#include "support/registry_snapshot_win.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

const char kProcessorKey[] = "Hardware\\Description\\System\\CentralProcessor\\0";

int ClockFromText(const std::string& text)
{
    int mhz = 0;
    char rest[8] = {};
    return std::sscanf(text.c_str(), "%d %7s", &mhz, rest) == 2 && std::string(rest) == "MHZ" ? mhz : 0;
}

std::string Trim(const std::string& s)
{
    const size_t first = s.find_first_not_of(' ');
    return first == std::string::npos ? "" : s.substr(first, s.find_last_not_of(' ') - first + 1);
}

// The processor's "~MHz" planted or removed, and put back afterwards.
class CpuClockRegistryTest : public testing::Test {
protected:
    testing_support::RegistrySnapshot saved_{HKEY_LOCAL_MACHINE, kProcessorKey};
    void TearDown() override { saved_.Restore(); }
};

TEST_F(CpuClockRegistryTest, PlantedValueIsTakenWithoutMeasuring)
{
    ASSERT_TRUE(testing_support::WriteDword(HKEY_LOCAL_MACHINE, kProcessorKey, "~MHz", 2394));
    EXPECT_EQ(GetClockFromRegistry(), 2394u);
    EXPECT_EQ(GetCpuClockText(), "2394 MHZ");
}

TEST_F(CpuClockRegistryTest, WithoutTheValueTheClockIsMeasured)
{
    testing_support::DeleteValue(HKEY_LOCAL_MACHINE, kProcessorKey, "~MHz");
    EXPECT_EQ(GetClockFromRegistry(), 0u);
    const DWORD start = GetTickCount();
    const std::string text = GetCpuClockText();
    const DWORD elapsed = GetTickCount() - start;
    const int mhz = ClockFromText(text);
    std::printf("[ clock    ] measured \"%s\" in %lu ms; /proc/cpuinfo cpu MHz: %s\n", text.c_str(),
                static_cast<unsigned long>(elapsed), ProcCpuinfoField("cpu MHz").c_str());
    EXPECT_GE(mhz, 100) << text;
    EXPECT_LE(mhz, 10000) << text;
    EXPECT_GE(elapsed, 250u);
}

TEST(CpuClockWin, BothMeasurementsAgreeWithTheMachine)
{
    const uint32_t qpc = MeasureClockQpc();
    const uint32_t timer = MeasureClockTimer();
    const std::string proc = ProcCpuinfoField("cpu MHz");
    std::printf("[ clock    ] counter method %u MHz, timer method %u MHz; /proc/cpuinfo cpu MHz: %s\n",
                qpc, timer, proc.c_str());
    for (uint32_t mhz : {qpc, timer}) {
        EXPECT_GE(mhz, 100u);
        EXPECT_LE(mhz, 10000u);
    }
    EXPECT_NEAR(static_cast<double>(qpc), static_cast<double>(timer), 0.1 * qpc);
}

TEST(CpuClockWin, PriorityIsRaisedForTheMethodsAndRestored)
{
    const HANDLE self = GetCurrentProcess();
    const DWORD original = GetPriorityClass(self);
    for (DWORD before : {static_cast<DWORD>(NORMAL_PRIORITY_CLASS),
                         static_cast<DWORD>(BELOW_NORMAL_PRIORITY_CLASS)}) {
        ASSERT_TRUE(SetPriorityClass(self, before));
        DWORD during = 0;
        const ClockMethods methods{[&] { during = GetPriorityClass(self); return 0u; },
                                   [] { return 0u; }, [] { return 0u; }};
        EXPECT_EQ(GetCpuClockText(methods), "Unknown");
        EXPECT_EQ(during, static_cast<DWORD>(HIGH_PRIORITY_CLASS));
        EXPECT_EQ(GetPriorityClass(self), before);
    }
    SetPriorityClass(self, original);
}

TEST(CpuInfoWin, IdentifiesThisProcessor)
{
    CCpuInfo info(SystemCpuProbe());
    info.Identify();
    const std::string brand = GetCpuBrandName();
    EXPECT_NE(info.vendor, kVendorUnknown);
    EXPECT_FALSE(Trim(info.GetName()).empty());
    EXPECT_FALSE(IsUnknownName(info.GetName()));
    EXPECT_GE(info.GetClockMHz(), 100);
    EXPECT_LE(info.GetClockMHz(), 10000);
    EXPECT_GT(info.GetCacheSize(CCpuInfo::kLevel2Selector), 0);
    EXPECT_FALSE(Trim(brand).empty());

    const std::string vendorId = ProcCpuinfoField("vendor_id");
    const std::string modelName = ProcCpuinfoField("model name");
    if (vendorId.empty())
        GTEST_SKIP() << "no /proc/cpuinfo through drive Z";
    EXPECT_EQ(info.vendorString, vendorId);
    EXPECT_EQ(Trim(brand), Trim(modelName));
}

TEST(CpuNamesWin, SignsReadRightThroughTheAnsiCodePage)
{
    ASSERT_EQ(GetACP(), 65001u) << "the manifest selects the UTF-8 code page";
    const struct {
        CpuModelKey key;
        const wchar_t* wide;
    } rows[] = {
        {{kVendorAmd, 6, 8, 0, true}, L"Athlon\u2122 MP (Thoroughbred core)"},
        {{kVendorIntel, 5, 9, 0, false}, L"Unknown Pentium\u00AE family"},
    };
    for (const auto& row : rows) {
        const std::string name = ModelTableName(row.key).value_or("");
        wchar_t wide[64] = {};
        ASSERT_GT(MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, name.c_str(), -1, wide, 64), 0)
            << name;
        EXPECT_STREQ(wide, row.wide);
    }
}

} // namespace
