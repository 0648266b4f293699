#include "monitors/cpu_info.h"

#include "monitors/cpu_brand.h"
#include "monitors/cpuid_dumps.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

CCpuInfo Identified(FakeCpu& cpu)
{
    static FakeTimebase time;
    CCpuInfo info(time.Probe(cpu.Source()));
    info.Identify();
    return info;
}

TEST(CpuInfo, DecodesTheRecordedProcessors)
{
    for (const CpuDump& d : CpuDumps()) {
        SCOPED_TRACE(d.label);
        FakeCpu cpu(d.leaves, d.echoHighestBasic);
        const CCpuInfo info = Identified(cpu);
        EXPECT_EQ(std::make_tuple(info.vendor, info.family, info.model, info.stepping, info.extendedFamily),
                  std::make_tuple(d.vendor, d.family, d.model, d.stepping, d.extendedFamily));
        EXPECT_STREQ(info.GetName(), d.name.c_str());
        EXPECT_EQ(std::make_tuple(info.GetCacheSize(CCpuInfo::kLevel1Selector),
                                  info.GetCacheSize(CCpuInfo::kLevel2Selector),
                                  info.GetCacheSize(CCpuInfo::kLevel3Selector)),
                  std::make_tuple(d.level1, d.level2, d.level3));
        EXPECT_EQ(std::make_tuple(info.tsc, info.hyperThreading, info.logicalProcessors, info.apicId),
                  std::make_tuple(d.tsc ? 1 : 0, d.hyperThreading, d.logicalProcessors, d.apicId));
        EXPECT_EQ(std::make_tuple(info.amd3DNow, info.multiprocessorCapable, info.extendedMmx),
                  std::make_tuple(d.amd3DNow, d.multiprocessorCapable, d.extendedMmx));
        EXPECT_STREQ(info.serialNumberText, d.serial.c_str());
        EXPECT_EQ(info.serialNumber, d.serial.empty() ? 0 : 1);
        EXPECT_EQ(cpu.Calls(3), d.serial.empty() ? 0 : 1) << "leaf 3 read only when there is a serial number";
        if (d.tsc) {
            EXPECT_NEAR(info.GetClockMHz(), 2400, 24);
            EXPECT_EQ(info.loopClock, -1);
        } else { // only the loop estimate runs
            EXPECT_EQ(info.GetClockMHz(), -1);
            EXPECT_GT(info.loopClock, 0);
        }
        FakeCpu again(d.leaves, d.echoHighestBasic);
        EXPECT_EQ(GetCpuBrandName(again.Source(), true), d.brandName);
    }
}

TEST(CpuInfo, EverythingStaysUnknownWhenCpuidFaults)
{
    FakeCpu cpu({VendorLeaf(1, "GenuineIntel"), {1, {0x00000686, 0, 0, 0x0383F9FF}}}, true);
    cpu.FaultOn(0);
    const CCpuInfo info = Identified(cpu);
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
    const CCpuInfo info = Identified(cpu);
    EXPECT_EQ(info.GetCacheSize(CCpuInfo::kLevel2Selector), -1);
    EXPECT_STREQ(info.GetName(), "Pentium III(0.18) Coppermine");
    EXPECT_NEAR(info.GetClockMHz(), 2400, 24);
}

TEST(CpuInfo, CacheSelectors)
{
    FakeCpu cpu(CpuDumps()[0].leaves, true);
    const CCpuInfo info = Identified(cpu);
    const struct {
        uint32_t selector;
        int32_t size;
    } rows[] = {{0x8000, 32}, {0x10000, 256}, {0x20000, -1}, {0x4000, -1}, {0x18000, -1}, {0x10001, -1}};
    for (const auto& row : rows)
        EXPECT_EQ(info.GetCacheSize(row.selector), row.size) << std::hex << row.selector;
}

TEST(CpuInfo, IntelLeadingFillerIsRemovedButNotForOtherVendors)
{
    const struct {
        const char* vendor;
        std::string brand;
        std::string name;
    } rows[] = {
        {"GenuineIntel", std::string("\0\0  Intel(R)", 12), "Intel(R)"}, {"GenuineIntel", "", ""},
        {"GenuineIntel", std::string(47, ' '), std::string(47, ' ')},
        {"AuthenticAMD", "   AMD Athlon(tm) 64", "   AMD Athlon(tm) 64"},
    };
    for (const auto& row : rows) {
        FakeCpu cpu(Join({VendorLeaf(2, row.vendor), {1, {0x00000F29, 0, 0, 0}},
                          {0x80000000, {0x80000004, 0, 0, 0}}},
                         BrandLeaves(row.brand)),
                    false);
        EXPECT_EQ(std::string(Identified(cpu).GetName()), row.name) << row.vendor << " '" << row.brand << "'";
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
        {"AuthenticAMD", 0x480, 0x80000008, 0x80000001, false}, {"AuthenticAMD", 0x550, 0x80000008, 0x80000001, false},
        {"AuthenticAMD", 0x560, 0x80000008, 0x80000001, true}, {"AuthenticAMD", 0x560, 0x80000004, 0x80000005, false},
        {"AuthenticAMD", 0x560, 0x80000005, 0x80000005, true},
        {"GenuineIntel", 0x52C, 0x80000004, 0x80000002, false}, {"GenuineIntel", 0xF29, 0x80000004, 0x80000002, true},
        {"GenuineIntel", 0x906EA, 0x80000008, 0x80000002, true},
        {"CyrixInstead", 0x440, 0x80000005, 0x80000001, false}, {"CyrixInstead", 0x530, 0x80000005, 0x80000001, false},
        {"CyrixInstead", 0x540, 0x80000005, 0x80000001, true}, {"CyrixInstead", 0x640, 0x80000005, 0x80000001, false},
        {"CyrixInstead", 0x650, 0x80000005, 0x80000001, true},
        {"CentaurHauls", 0x570, 0x80000005, 0x80000001, false}, {"CentaurHauls", 0x580, 0x80000005, 0x80000001, true},
        {"GenuineTMx86", 0x480, 0x80000006, 0x80000001, false}, {"GenuineTMx86", 0x543, 0x80000006, 0x80000001, true},
        {"RiseRiseRise", 0x400, 0x80000001, 0x80000001, true},
        {"Vortex86 SoC", 0x522, 0x522, 0x80000001, false}, {"Vortex86 SoC", 0x522, 0x7FFFFFFF, 0x80000001, false},
    };
    for (const auto& row : rows) {
        FakeCpu cpu({VendorLeaf(1, row.vendor), {1, {row.signature, 0, 0, 0x10}},
                     {0x80000000, {row.maxExtended, 0, 0, 0}}},
                    false);
        EXPECT_EQ(Identified(cpu).IsExtendedLeafAvailable(row.leaf), row.available)
            << row.vendor << " " << std::hex << row.signature << " " << row.leaf;
    }
}

} // namespace
