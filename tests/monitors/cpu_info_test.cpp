#include "monitors/cpu_info.h"

#include "monitors/cpu_brand.h"
#include "monitors/fake_cpu.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

// The time-stamp counter runs 2400 cycles per tick of the high-resolution counter.
CCpuInfo Identified(FakeCpu& cpu)
{
    static FakeTimebase time;
    CCpuInfo info(time.Probe(cpu.Source()));
    info.Identify();
    return info;
}

struct Recorded {
    const char* label;
    std::vector<LeafDump> leaves;
    int32_t vendor;
    uint32_t family, model, extendedFamily;
    const char* name;
    int32_t level1, level2, level3, clockMHz;
    const char* brand; // GetCpuBrandName; nullptr: the name
};

TEST(CpuInfo, DecodesTheRecordedProcessors)
{
    const Recorded rows[] = {
        {"Pentium III Coppermine: 0x80000000 echoes leaf 2",
         {VendorLeaf(2, "GenuineIntel"), {1, {0x686, 2, 0, 0x0383F9FF}}, {2, {0x03020101, 0, 0, 0x0C040882}},
          {0x80000000, {0x03020101, 0, 0, 0x0C040882}}},
         kVendorIntel, 6, 8, 0, "Pentium III(0.18) Coppermine", 32, 256, -1, 2400, "Intel Pentium(R) III Coppermine"},
        {"Pentium 4 Northwood: right-aligned brand string, trace cache",
         WithBrand({VendorLeaf(2, "GenuineIntel"), {1, {0xF29, 0x01020809, 0x4400, 0xBFEBFBFF}},
                    {2, {0x665B5001, 0, 0, 0x007B7040}}, {0x80000000, {0x80000004, 0, 0, 0}}},
                   "              Intel(R) Pentium(R) 4 CPU 3.06GHz"),
         kVendorIntel, 15, 2, 0, "Intel(R) Pentium(R) 4 CPU 3.06GHz", 8, 512, -1, 2400,
         "              Intel(R) Pentium(R) 4 CPU 3.06GHz"},
        {"Athlon MP Thoroughbred without brand-string leaves",
         {VendorLeaf(1, "AuthenticAMD"), {1, {0x681, 0, 0, 0x0383FBFF}},
          {0x80000000, {0x80000001, Text4("Auth"), Text4("cAMD"), Text4("enti")}},
          {0x80000001, {0x781, 0, 0, 0xC1CBFBFF}}},
         kVendorAmd, 6, 8, 0, "Athlon\xE2\x84\xA2 MP (Thoroughbred core)", -1, -1, -1, 2400, ""},
        {"Intel 486 DX4 without time-stamp counter", {VendorLeaf(1, "GenuineIntel"), {1, {0x480, 0, 0, 3}}},
         kVendorIntel, 4, 8, 0, "i80486DX4", -1, -1, -1, -1, "IntelDX4(TM) "},
        {"Core 2 Duo E6600: level 1 from leaf 2, not from the reserved 0x80000005",
         WithBrand({VendorLeaf(0xA, "GenuineIntel"), {1, {0x6F6, 0x00020800, 0xE3BD, 0xBFEBFBFF}},
                    {2, {0x05B0B101, 0x005657F0, 0, 0x2CB43049}}, {0x80000000, {0x80000008, 0, 0, 0}},
                    {0x80000001, {0, 0, 1, 0x20100000}}, {0x80000006, {0, 0, 0x10008040, 0}}},
                   "Intel(R) Core(TM)2 CPU          6600  @ 2.40GHz"),
         kVendorIntel, 6, 15, 0, "Intel(R) Core(TM)2 CPU          6600  @ 2.40GHz", 64, 4096, -1, 2400, nullptr},
        {"Core i7-8700: leaf 2 defers to leaf 4",
         WithBrand({VendorLeaf(0x16, "GenuineIntel"), {1, {0x000906EA, 0x0C100800, 0x7FFAFBFF, 0xBFEBFBFF}},
                    {2, {0x00FEFF01, 0xF0, 0, 0}}, {4, {0x1C004121, 0x01C0003F, 0x3F, 0}},
                    {4, {0x1C004122, 0x01C0003F, 0x3F, 0}, 1}, {4, {0x1C004143, 0x00C0003F, 0x3FF, 0}, 2},
                    {4, {0x1C03C163, 0x03C0003F, 0x2FFF, 6}, 3}, {0x80000000, {0x80000008, 0, 0, 0}},
                    {0x80000001, {0, 0, 0x121, 0x2C100800}}, {0x80000006, {0, 0, 0x01006040, 0}}},
                   "Intel(R) Core(TM) i7-8700 CPU @ 3.20GHz"),
         kVendorIntel, 6, 14, 0, "Intel(R) Core(TM) i7-8700 CPU @ 3.20GHz", 64, 256, -1, 2400, nullptr},
        {"Ryzen 7 5800X: extended family",
         WithBrand({VendorLeaf(0x10, "AuthenticAMD"), {1, {0x00A20F10, 0x00100800, 0x7ED8320B, 0x178BFBFF}},
                    {0x80000000, {0x80000020, Text4("Auth"), Text4("cAMD"), Text4("enti")}},
                    {0x80000001, {0x00A20F10, 0x20000000, 0x75C237FF, 0x2FD3FBFF}},
                    {0x80000005, {0xFF40FF40, 0xFF40FF40, 0x20080140, 0x20080140}},
                    {0x80000006, {0x48002200, 0x68004200, 0x02006140, 0x02009140}}},
                   "AMD Ryzen 7 5800X 8-Core Processor            "),
         kVendorAmd, 15, 1, 10, "AMD Ryzen 7 5800X 8-Core Processor            ", 64, 512, -1, 2400, nullptr},
    };
    for (const Recorded& r : rows) {
        SCOPED_TRACE(r.label);
        FakeCpu cpu(r.leaves);
        const CCpuInfo info = Identified(cpu);
        EXPECT_EQ(std::make_tuple(info.vendor, info.family, info.model, info.extendedFamily),
                  std::make_tuple(r.vendor, r.family, r.model, r.extendedFamily));
        EXPECT_STREQ(info.GetName(), r.name);
        EXPECT_EQ(std::make_tuple(info.GetCacheSize(CCpuInfo::kLevel1Selector),
                                  info.GetCacheSize(CCpuInfo::kLevel2Selector),
                                  info.GetCacheSize(CCpuInfo::kLevel3Selector), info.GetCacheSize(0x18000)),
                  std::make_tuple(r.level1, r.level2, r.level3, -1));
        EXPECT_NEAR(info.GetClockMHz(), r.clockMHz, 24);
        EXPECT_EQ(info.loopClock > 0, r.clockMHz < 0) << "the loop estimate only without a time-stamp counter";
        FakeCpu again(r.leaves);
        EXPECT_EQ(GetCpuBrandName(again.Source(), true), r.brand ? r.brand : r.name);
    }
}

TEST(CpuInfo, FaultingCpuidLeavesWhatItCannotReadUnknown)
{
    FakeCpu none({VendorLeaf(1, "GenuineIntel"), {1, {0x686, 0, 0, 0x10}}});
    none.FaultOn(0);
    const CCpuInfo unknown = Identified(none);
    EXPECT_EQ(std::make_tuple(unknown.vendor, std::string(unknown.GetName()), unknown.GetClockMHz()),
              std::make_tuple(int32_t{kVendorUnknown}, std::string(), -1));
    EXPECT_EQ(none.Calls(1), 0) << "nothing runs after the failed probe";

    FakeCpu noLeaf2({VendorLeaf(2, "GenuineIntel"), {1, {0x686, 0, 0, 0x10}}, {2, {0x03020101, 0, 0, 0x0C040882}}});
    noLeaf2.FaultOn(2);
    const CCpuInfo info = Identified(noLeaf2);
    EXPECT_EQ(info.GetCacheSize(CCpuInfo::kLevel2Selector), -1);
    EXPECT_STREQ(info.GetName(), "Pentium III(0.18) Coppermine");
    EXPECT_NEAR(info.GetClockMHz(), 2400, 24);

    FakeCpu absent({VendorLeaf(1, "GenuineIntel")});
    EXPECT_EQ(GetCpuBrandName(absent.Source(), false), "Unknown CPU");
    EXPECT_EQ(absent.Calls(0), 0) << "no CPUID where the processor has none";
}

TEST(CpuInfo, ExtendedLeafGates)
{
    const struct {
        const char* vendor;
        uint32_t signature, maxExtended, leaf;
        bool available;
    } rows[] = {
        {"AuthenticAMD", 0x550, 0x80000008, 0x80000001, false}, {"AuthenticAMD", 0x560, 0x80000008, 0x80000001, true},
        {"AuthenticAMD", 0x560, 0x80000004, 0x80000005, false}, {"AuthenticAMD", 0x560, 0x80000005, 0x80000005, true},
        {"GenuineIntel", 0x52C, 0x80000004, 0x80000002, false}, {"GenuineIntel", 0x6D6, 0x80000004, 0x80000002, true},
        {"CyrixInstead", 0x640, 0x80000005, 0x80000001, false}, {"CyrixInstead", 0x650, 0x80000005, 0x80000001, true},
        {"CentaurHauls", 0x570, 0x80000005, 0x80000001, false}, {"CentaurHauls", 0x580, 0x80000005, 0x80000001, true},
        // Without extended leaves a processor answers basic-leaf data, which lacks the top bit.
        {"Vortex86 SoC", 0x522, 0x522, 0x80000001, false}, {"Vortex86 SoC", 0x522, 0x7FFFFFFF, 0x80000001, false},
    };
    for (const auto& row : rows) {
        FakeCpu cpu({VendorLeaf(1, row.vendor), {1, {row.signature, 0, 0, 0x10}}, {0x80000000, {row.maxExtended}}});
        EXPECT_EQ(Identified(cpu).IsExtendedLeafAvailable(row.leaf), row.available)
            << row.vendor << " " << std::hex << row.signature << " " << row.leaf;
    }
}

} // namespace
