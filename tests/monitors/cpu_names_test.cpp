#include "monitors/cpu_names.h"

#include "monitors/cpu_brand.h"
#include "monitors/fake_cpu.h"

#include <gtest/gtest.h>

namespace {

#define REG "\xC2\xAE"

TEST(CpuNames, VendorAndModelTables)
{
    const std::pair<const char*, CpuVendor> vendors[] = {
        {"AMD ISBETTER", kVendorAmd},     {"TransmetaCPU", kVendorTransmeta}, {"UMC UMC UMC ", kVendorUmc},
        {"genuineintel", kVendorUnknown}, {"GenuineIntel ", kVendorUnknown},  {"UMC UMC UMC", kVendorUnknown},
    };
    for (const auto& [text, vendor] : vendors)
        EXPECT_EQ(VendorFromString(text), vendor) << "'" << text << "'";
    const struct {
        CpuModelKey key;
        const char* name; // nullptr: the name stays as it was
    } rows[] = {
        {{kVendorIntel, 5, 9}, "Unknown Pentium" REG " family"},
        {{kVendorIntel, 15, 0, 1}, "Intel McKinley (IA-64)"},
        {{kVendorIntel, 15, 2, 2}, nullptr},
        {{kVendorAmd, 6, 8, 0, false}, "Athlon\xE2\x84\xA2 XP (Thoroughbred core)"},
        {{kVendorUnknown, 5, 2}, "Unknown family"},
    };
    for (const auto& row : rows) {
        const std::optional<std::string> name = ModelTableName(row.key);
        EXPECT_EQ(name.value_or("(as it was)"), row.name ? row.name : "(as it was)")
            << row.key.vendor << " " << row.key.family << " " << row.key.model;
    }
}

// Without a brand string the name comes from a table; the window keeps it only when it names a
// Celeron: for models 5 and 7, a 0x40 descriptor among the leaf-2 bytes (EAX bytes 1 to 3, EBX, ECX,
// EDX; AL counts rounds), else brand index 1.
TEST(CpuNames, IntelNamesWithoutBrandString)
{
    const struct {
        uint32_t signature, brandIndex;
        CpuidRegisters leaf2;
        const char* name;
    } rows[] = {
        {0x673, 0, {0x03020101, 0, 0, 0x0C040843}, "Intel Pentium(R) III "},
        {0x673, 0, {0x40020101, 0, 0, 0x0C040843}, "Intel Celeron(TM),Model 5"},
        {0x673, 0, {0x03020140, 0, 0, 0x0C040843}, "Intel Pentium(R) III "},
        {0x673, 0, {0x03020101, 0x40, 0, 0x0C040845}, "Intel Celeron(TM),Model 5"},
        {0x652, 0, {0x03020101, 0, 0x40000000, 0x0C040800}, "Intel Celeron(TM),Model 5"},
        {0x6B1, 1, {}, "Intel Celeron(TM) "},
    };
    for (const auto& row : rows) {
        FakeCpu cpu({VendorLeaf(2, "GenuineIntel"), {1, {row.signature, row.brandIndex}}, {2, row.leaf2}});
        EXPECT_EQ(GetCpuBrandName(cpu.Source(), true), row.name) << std::hex << row.signature << " " << row.leaf2.eax;
    }
    FakeCpu short3({VendorLeaf(1, "GenuineIntel"), {1, {0x686}}, {0x80000000, {0x80000003}}});
    EXPECT_EQ(GetCpuBrandName(short3.Source(), true), "Intel Pentium(R) III Coppermine") << "too few brand leaves";
    FakeCpu noVendor({VendorLeaf(0, "GenuineIntel"), {1, {0x686}}});
    EXPECT_EQ(GetCpuBrandName(noVendor.Source(), true), "") << "maximum leaf 0: no vendor";
}

} // namespace
