#include "monitors/cpu_names.h"

#include <gtest/gtest.h>

namespace {

#define TM "\xE2\x84\xA2"
#define REG "\xC2\xAE"

TEST(CpuNames, VendorTable)
{
    const struct {
        const char* text;
        CpuVendor vendor;
    } rows[] = {
        {"GenuineIntel", kVendorIntel},       {"UMC UMC UMC ", kVendorUmc},
        {"AuthenticAMD", kVendorAmd},         {"AMD ISBETTER", kVendorAmd},
        {"CyrixInstead", kVendorCyrix},       {"NexGenDriven", kVendorNexGen},
        {"CentaurHauls", kVendorCentaur},     {"RiseRiseRise", kVendorRise},
        {"GenuineTMx86", kVendorTransmeta},   {"TransmetaCPU", kVendorTransmeta},
        {"Geode By NSC", kVendorNationalSemi}, {"genuineintel", kVendorUnknown},
        {"GenuineIntel ", kVendorUnknown},    {"UMC UMC UMC", kVendorUnknown},
        {"HygonGenuine", kVendorUnknown},     {"", kVendorUnknown},
    };
    for (const auto& row : rows)
        EXPECT_EQ(VendorFromString(row.text), row.vendor) << "'" << row.text << "'";
}

struct ModelRow {
    CpuVendor vendor;
    uint32_t family, model;
    const char* name; // nullptr: the name stays as it was
    uint32_t extendedFamily = 0;
    bool mp = false;
};

TEST(CpuNames, ModelTables)
{
    // The branches of each vendor's table and its fallbacks, not every name.
    const ModelRow rows[] = {
        {kVendorIntel, 3, 5, "Newer i80386 family"}, {kVendorIntel, 4, 9, "i80486DX4 WriteBack"},
        {kVendorIntel, 4, 6, "Unknown 80486 family"}, {kVendorIntel, 5, 2, "P54C"},
        {kVendorIntel, 5, 7, "P54C"}, {kVendorIntel, 5, 9, "Unknown Pentium" REG " family"},
        {kVendorIntel, 6, 8, "Pentium III(0.18) Coppermine"}, {kVendorIntel, 6, 9, "Pentium3-M Processer"},
        {kVendorIntel, 6, 4, "Unknown P6 family"}, {kVendorIntel, 7, 3, "Intel Merced (IA-64)"},
        {kVendorIntel, 15, 1, "Pentium 4 (0.18)"}, {kVendorIntel, 15, 2, "Pentium 4 (0.13)"},
        {kVendorIntel, 15, 3, "Unknown Pentium 4 family"}, {kVendorIntel, 15, 0, "Intel McKinley (IA-64)", 1},
        {kVendorIntel, 15, 2, nullptr, 2}, {kVendorIntel, 8, 0, "Unknown Intel family"},
        {kVendorAmd, 4, 15, "5x86WB"}, {kVendorAmd, 5, 13, "K6-2+ or K6-III+ (0.18)"},
        {kVendorAmd, 5, 4, "Unknown 80586 family"}, {kVendorAmd, 6, 4, "Athlon (Thunderbird core)"},
        {kVendorAmd, 6, 7, "Duron" TM " (Morgan core)"}, {kVendorAmd, 6, 8, "Athlon" TM " XP (Thoroughbred core)"},
        {kVendorAmd, 6, 8, "Athlon" TM " MP (Thoroughbred core)", 0, true}, {kVendorAmd, 6, 10, "Unknown K7 family"},
        {kVendorAmd, 15, 4, "Unknown AMD family"}, {kVendorNationalSemi, 9, 9, "Cx486SLC \\ DLC \\ Cx486S A-Step"},
        {kVendorUmc, 4, 2, "U5S"}, {kVendorUmc, 5, 1, "Unknown UMC family"},
        {kVendorCyrix, 4, 4, "MediaGX GX, GXm"}, {kVendorCyrix, 5, 3, "Unknown Cx6x86 family"},
        {kVendorCyrix, 6, 7, "WinChip C5B\\C5C Core"}, {kVendorCyrix, 6, 9, "Unknown 6x86MX\\Cyrix III family"},
        {kVendorCyrix, 7, 0, "Unknown Cyrix family"}, {kVendorNexGen, 5, 0, "Nx586 or Nx586FPU"},
        {kVendorNexGen, 4, 0, "Unknown NexGen family"}, {kVendorCentaur, 5, 9, "C3"},
        {kVendorCentaur, 6, 6, "VIA Cyrix III - Samuel"}, {kVendorCentaur, 6, 7, "Unknown IDT\\Centaur family"},
        {kVendorRise, 5, 2, "mP6 (0.18)"}, {kVendorRise, 6, 0, "Unknown Rise family"},
        {kVendorTransmeta, 5, 4, "Crusoe TM3x00 and TM5x00"}, {kVendorTransmeta, 5, 5, "Unknown Crusoe family"},
        {kVendorTransmeta, 15, 2, "Unknown Transmeta family"}, {kVendorUnknown, 5, 2, "Unknown family"},
    };
    for (const ModelRow& row : rows) {
        const CpuModelKey key{row.vendor, row.family, row.model, row.extendedFamily, row.mp};
        const std::optional<std::string> name = ModelTableName(key);
        const std::string where = std::to_string(row.vendor) + " " + std::to_string(row.family) +
                                  " " + std::to_string(row.model);
        if (!row.name) {
            EXPECT_FALSE(name.has_value()) << where;
            continue;
        }
        ASSERT_TRUE(name.has_value()) << where;
        EXPECT_EQ(*name, row.name) << where;
    }
}

TEST(CpuNames, UnknownNamesAreThoseThatBeginWithTheWord)
{
    EXPECT_TRUE(IsUnknownName("Unknown family"));
    EXPECT_TRUE(IsUnknownName("Unknown"));
    EXPECT_FALSE(IsUnknownName("P6"));
    EXPECT_FALSE(IsUnknownName(" Unknown P6 family"));
    EXPECT_FALSE(IsUnknownName(""));
}

} // namespace
