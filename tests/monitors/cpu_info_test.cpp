#include "monitors/cpu_info.h"

#include "monitors/cpuid_dumps.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>

namespace {

class CpuInfoDumpTest : public testing::TestWithParam<CpuDump> {};

TEST_P(CpuInfoDumpTest, DecodesTheRecord)
{
    const CpuDump& d = GetParam();
    FakeCpu cpu(d.leaves, d.echoHighestBasic);
    FakeTimebase time;
    CCpuInfo info(time.Probe(cpu.Source()));
    info.Identify();

    EXPECT_EQ(info.vendor, d.vendor);
    EXPECT_EQ(info.family, d.family);
    EXPECT_EQ(info.model, d.model);
    EXPECT_EQ(info.stepping, d.stepping);
    EXPECT_EQ(info.extendedFamily, d.extendedFamily);
    EXPECT_STREQ(info.GetName(), d.name.c_str());
    EXPECT_EQ(info.GetCacheSize(CCpuInfo::kLevel1Selector), d.level1);
    EXPECT_EQ(info.GetCacheSize(CCpuInfo::kLevel2Selector), d.level2);
    EXPECT_EQ(info.GetCacheSize(CCpuInfo::kLevel3Selector), d.level3);
    EXPECT_EQ(info.tsc, d.tsc ? 1 : 0);
    EXPECT_EQ(info.hyperThreading, d.hyperThreading);
    EXPECT_EQ(info.logicalProcessors, d.logicalProcessors);
    EXPECT_EQ(info.apicId, d.apicId);
    EXPECT_EQ(info.amd3DNow, d.amd3DNow);
    EXPECT_EQ(info.multiprocessorCapable, d.multiprocessorCapable);
    EXPECT_EQ(info.extendedMmx, d.extendedMmx);
    EXPECT_STREQ(info.serialNumberText, d.serial.c_str());
    EXPECT_EQ(info.serialNumber, d.serial.empty() ? 0 : 1);

    // The fake time-stamp counter runs at 2400 MHz; without one only the loop estimate runs.
    if (d.tsc) {
        EXPECT_NEAR(info.GetClockMHz(), 2400, 24);
        EXPECT_EQ(info.loopClock, -1);
    } else {
        EXPECT_EQ(info.GetClockMHz(), -1);
        EXPECT_GT(info.loopClock, 0);
    }
    // The serial number leaf is read only when the processor has one.
    EXPECT_EQ(cpu.Calls(3), d.serial.empty() ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(Dumps, CpuInfoDumpTest, testing::ValuesIn(CpuDumps()),
                         [](const testing::TestParamInfo<CpuDump>& info) {
                             std::string name;
                             for (const char* p = info.param.label; *p; ++p)
                                 if (std::isalnum(static_cast<unsigned char>(*p)))
                                     name += *p;
                             return name;
                         });

TEST(CpuInfo, EverythingStaysUnknownWhenCpuidFaults)
{
    FakeCpu cpu({VendorLeaf(1, "GenuineIntel"), {1, {0x00000686, 0, 0, 0x0383F9FF}}}, true);
    cpu.FaultOn(0);
    FakeTimebase time;
    CCpuInfo info(time.Probe(cpu.Source()));
    info.Identify();
    EXPECT_EQ(info.vendor, kVendorUnknown);
    EXPECT_STREQ(info.GetName(), "");
    EXPECT_STREQ(info.vendorString, "");
    EXPECT_EQ(info.GetClockMHz(), -1);
    EXPECT_EQ(info.GetCacheSize(CCpuInfo::kLevel2Selector), -1);
    EXPECT_EQ(cpu.Calls(1), 0) << "nothing runs after the failed probe";
}

TEST(CpuInfo, AFaultingStepLeavesTheOthersGoing)
{
    FakeCpu cpu(CpuDumps()[0].leaves, true);
    cpu.FaultOn(2);
    FakeTimebase time;
    CCpuInfo info(time.Probe(cpu.Source()));
    info.Identify();
    EXPECT_EQ(info.GetCacheSize(CCpuInfo::kLevel2Selector), -1);
    EXPECT_STREQ(info.GetName(), "Pentium III(0.18) Coppermine");
    EXPECT_NEAR(info.GetClockMHz(), 2400, 24);
}

TEST(CpuInfo, CacheSelectors)
{
    FakeCpu cpu(CpuDumps()[0].leaves, true);
    FakeTimebase time;
    CCpuInfo info(time.Probe(cpu.Source()));
    info.Identify();
    const struct {
        uint32_t selector;
        int32_t size;
    } rows[] = {{0x8000, 32}, {0x10000, 256}, {0x20000, -1}, {0x4000, -1},
                {0x0, -1},    {0x18000, -1},  {0x10001, -1}, {0xFFFFFFFF, -1}};
    for (const auto& row : rows)
        EXPECT_EQ(info.GetCacheSize(row.selector), row.size) << std::hex << row.selector;
}

TEST(CpuInfo, IntelFamily6WithoutBrandLeavesIsNamedByTheModelTable)
{
    const struct {
        uint32_t signature;
        const char* name;
    } rows[] = {
        {0x00000686, "Pentium III(0.18) Coppermine"},
        {0x00000695, "Pentium3-M Processer"},
        {0x00000641, "Unknown P6 family"},
    };
    for (const auto& row : rows) {
        FakeCpu cpu({VendorLeaf(2, "GenuineIntel"), {1, {row.signature, 0, 0, 0x0383F9FF}},
                     {2, {0x03020101, 0, 0, 0x0C040882}}},
                    true);
        FakeTimebase time;
        CCpuInfo info(time.Probe(cpu.Source()));
        info.Identify();
        EXPECT_STREQ(info.GetName(), row.name) << std::hex << row.signature;
    }
}

TEST(CpuInfo, IntelLeadingFillerIsRemovedButNotForOtherVendors)
{
    const struct {
        const char* vendor;
        std::string brand;
        std::string name;
    } rows[] = {
        {"GenuineIntel", "      Intel(R) Xeon(TM) CPU 2.40GHz", "Intel(R) Xeon(TM) CPU 2.40GHz"},
        {"GenuineIntel", std::string("\0\0  Intel(R)", 12), "Intel(R)"},
        {"GenuineIntel", "Intel(R) Celeron(R) CPU", "Intel(R) Celeron(R) CPU"},
        {"GenuineIntel", "", ""},
        {"GenuineIntel", std::string(47, ' '), std::string(47, ' ')},
        {"AuthenticAMD", "   AMD Athlon(tm) 64", "   AMD Athlon(tm) 64"},
    };
    for (const auto& row : rows) {
        // Family 15 so that every vendor's gate lets the extended leaves through.
        FakeCpu cpu(Join({VendorLeaf(2, row.vendor), {1, {0x00000F29, 0, 0, 0}},
                          {0x80000000, {0x80000004, 0, 0, 0}}},
                         BrandLeaves(row.brand)),
                    false);
        FakeTimebase time;
        CCpuInfo info(time.Probe(cpu.Source()));
        info.Identify();
        EXPECT_EQ(std::string(info.GetName()), row.name) << row.vendor << " '" << row.brand << "'";
    }
}

TEST(CpuInfo, ExtendedLeafGates)
{
    const struct {
        const char* vendor;
        uint32_t signature;
        uint32_t maxExtended;
        uint32_t leaf;
        bool available;
    } rows[] = {
        {"AuthenticAMD", 0x00000480, 0x80000008, 0x80000001, false}, // family 4
        {"AuthenticAMD", 0x00000550, 0x80000008, 0x80000001, false}, // K5
        {"AuthenticAMD", 0x00000560, 0x80000008, 0x80000001, true},  // K6
        {"AuthenticAMD", 0x00000560, 0x80000004, 0x80000005, false}, // beyond the maximum
        {"AuthenticAMD", 0x00000560, 0x80000005, 0x80000005, true},
        {"GenuineIntel", 0x0000052C, 0x80000004, 0x80000002, false}, // Pentium
        {"GenuineIntel", 0x00000F29, 0x80000004, 0x80000002, true},
        {"GenuineIntel", 0x000906EA, 0x80000008, 0x80000002, true},  // Core: family 6
        {"CyrixInstead", 0x00000440, 0x80000005, 0x80000001, false},
        {"CyrixInstead", 0x00000530, 0x80000005, 0x80000001, false},
        {"CyrixInstead", 0x00000540, 0x80000005, 0x80000001, true},
        {"CyrixInstead", 0x00000640, 0x80000005, 0x80000001, false},
        {"CyrixInstead", 0x00000650, 0x80000005, 0x80000001, true},
        {"CentaurHauls", 0x00000570, 0x80000005, 0x80000001, false},
        {"CentaurHauls", 0x00000580, 0x80000005, 0x80000001, true},
        {"GenuineTMx86", 0x00000480, 0x80000006, 0x80000001, false},
        {"GenuineTMx86", 0x00000543, 0x80000006, 0x80000001, true},
        {"RiseRiseRise", 0x00000400, 0x80000001, 0x80000001, true},  // no gate
        {"Vortex86 SoC", 0x00000522, 0x00000522, 0x80000001, false}, // echoed basic data
        {"Vortex86 SoC", 0x00000522, 0x7FFFFFFF, 0x80000001, false},
    };
    for (const auto& row : rows) {
        // With a time-stamp counter, so that no loop estimate runs.
        FakeCpu cpu({VendorLeaf(1, row.vendor), {1, {row.signature, 0, 0, 0x10}},
                     {0x80000000, {row.maxExtended, 0, 0, 0}}},
                    false);
        FakeTimebase time;
        CCpuInfo info(time.Probe(cpu.Source()));
        info.Identify();
        EXPECT_EQ(info.IsExtendedLeafAvailable(row.leaf), row.available)
            << row.vendor << " " << std::hex << row.signature << " " << row.leaf;
    }
}

} // namespace
