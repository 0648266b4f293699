#include "monitors/cpu_brand.h"

#include "monitors/cpuid_dumps.h"

#include <gtest/gtest.h>

namespace {

TEST(CpuBrand, WithoutCpuidTheNameIsUnknownCpu)
{
    FakeCpu cpu(CpuDumps()[0].leaves, true);
    EXPECT_EQ(GetCpuBrandName(cpu.Source(), false), "Unknown CPU");
    EXPECT_EQ(cpu.Calls(0), 0);
}

std::string NameWithDescriptor(uint32_t signature, uint32_t eax, uint32_t ebx, uint32_t ecx, uint32_t edx)
{
    FakeCpu cpu({VendorLeaf(2, "GenuineIntel"), {1, {signature, 0, 0, 0}}, {2, {eax, ebx, ecx, edx}}}, true);
    return GetCpuBrandName(cpu.Source(), true);
}

TEST(CpuBrand, CeleronAndXeonTests)
{
    const struct {
        uint32_t signature;
        uint32_t eax, ebx, ecx, edx;
        const char* name;
    } rows[] = {
        {0x673, 0x03020101, 0, 0, 0x0C040845, "Intel Pentium(R) III Xeon(TM) "},
        {0x673, 0x03020101, 0, 0, 0x0C040840, "Intel Celeron(TM),Model 5"},
        {0x673, 0x03020101, 0, 0, 0x0C040843, "Intel Pentium(R) III "},
        {0x673, 0x44020101, 0, 0, 0x0C040843, "Intel Pentium(R) III Xeon(TM) "}, // EAX byte 3
        {0x673, 0x03020101, 0x40, 0, 0x0C040845, "Intel Celeron(TM),Model 5"},   // Celeron first
        {0x673, 0x03020144, 0, 0, 0x0C040843, "Intel Pentium(R) III "},          // AL is no byte
        {0x652, 0x03020101, 0, 0x44000000, 0x0C040800, "Intel Pentium(R) II Xeon(TM) "},
        {0x652, 0x03020101, 0, 0, 0x0C040840, "Intel Celeron(TM),Model 5"},
        {0x652, 0x03020101, 0, 0, 0x0C040843, "Intel Pentium(R) II,Model 5"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(NameWithDescriptor(row.signature, row.eax, row.ebx, row.ecx, row.edx),
                  row.name)
            << std::hex << row.signature << " " << row.eax << " " << row.edx;
}

TEST(CpuBrand, IntelNameTable)
{
    const struct {
        uint32_t signature;
        uint32_t brandIndex;
        const char* name;
    } rows[] = {
        {0x490, 0, "Intel 486 "}, {0x633, 0, "Intel Pentium(R) II,Model 3"},
        {0x6B1, 3, "Intel Pentium(R) III Xeon(TM) "}, {0x6B1, 1, "Intel Celeron(TM) "},
        {0x690, 8, "Intel Pentium(R) 4 "}, {0x6B1, 0, "AMD K6-7 Family CPU"}, {0xF29, 9, ""},
        {0x300, 0, ""},
    };
    for (const auto& row : rows) {
        FakeCpu cpu({VendorLeaf(1, "GenuineIntel"), {1, {row.signature, row.brandIndex, 0, 0}}},
                    true);
        EXPECT_EQ(GetCpuBrandName(cpu.Source(), true), row.name)
            << std::hex << row.signature << " " << row.brandIndex;
    }
}

TEST(CpuBrand, BrandStringWinsForEveryVendor)
{
    const struct {
        const char* vendor;
        uint32_t maxExtended;
        const char* name;
    } rows[] = {{"GenuineIntel", 0x80000004, " Brand name"}, {"CyrixInstead", 0x80000004, " Brand name"},
                {"Vortex86 SoC", 0x80000004, " Brand name"},
                {"GenuineIntel", 0x80000003, "Intel Pentium(R) III Coppermine"}}; // not enough leaves
    for (const auto& row : rows) {
        FakeCpu cpu(Join({VendorLeaf(1, row.vendor), {1, {0x686, 0, 0, 0}}, {0x80000000, {row.maxExtended, 0, 0, 0}}},
                         BrandLeaves(" Brand name")),
                    false);
        EXPECT_EQ(GetCpuBrandName(cpu.Source(), true), row.name) << row.vendor << " " << std::hex << row.maxExtended;
    }
    FakeCpu noLeaves({VendorLeaf(0, "GenuineIntel"), {1, {0x686, 0, 0, 0}}}, false);
    EXPECT_EQ(GetCpuBrandName(noLeaves.Source(), true), "") << "maximum leaf 0: no vendor";
}

} // namespace
