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
    const ModelRow rows[] = {
        {kVendorIntel, 3, 5, "Newer i80386 family"},
        {kVendorIntel, 4, 0, "i80486DX-25/33"},
        {kVendorIntel, 4, 1, "i80486DX-50"},
        {kVendorIntel, 4, 2, "i80486SX"},
        {kVendorIntel, 4, 3, "i80486DX2"},
        {kVendorIntel, 4, 4, "i80486SL"},
        {kVendorIntel, 4, 5, "i80486SX2"},
        {kVendorIntel, 4, 6, "Unknown 80486 family"},
        {kVendorIntel, 4, 7, "i80486DX2 WriteBack"},
        {kVendorIntel, 4, 8, "i80486DX4"},
        {kVendorIntel, 4, 9, "i80486DX4 WriteBack"},
        {kVendorIntel, 5, 0, "P5 A-Step"},
        {kVendorIntel, 5, 1, "P5"},
        {kVendorIntel, 5, 2, "P54C"},
        {kVendorIntel, 5, 3, "P24T OverDrive"},
        {kVendorIntel, 5, 4, "P55C"},
        {kVendorIntel, 5, 7, "P54C"},
        {kVendorIntel, 5, 8, "P55C (0.25)"},
        {kVendorIntel, 5, 9, "Unknown Pentium" REG " family"},
        {kVendorIntel, 6, 0, "P6 A-Step"},
        {kVendorIntel, 6, 1, "P6"},
        {kVendorIntel, 6, 2, "Unknown P6 family"},
        {kVendorIntel, 6, 3, "Pentium II(0.28)"},
        {kVendorIntel, 6, 4, "Unknown P6 family"},
        {kVendorIntel, 6, 5, "Pentium II(0.25)"},
        {kVendorIntel, 6, 6, "Pentium II"},
        {kVendorIntel, 6, 7, "Pentium III(0.25)"},
        {kVendorIntel, 6, 8, "Pentium III(0.18) Coppermine"},
        {kVendorIntel, 6, 9, "Pentium3-M Processer"},
        {kVendorIntel, 6, 10, "Pentium III(0.18)"},
        {kVendorIntel, 6, 11, "Pentium III(0.13)"},
        {kVendorIntel, 6, 13, "Unknown P6 family"},
        {kVendorIntel, 7, 0, "Intel Merced (IA-64)"},
        {kVendorIntel, 15, 0, "Pentium 4 (0.18)"},
        {kVendorIntel, 15, 1, "Pentium 4 (0.18)"},
        {kVendorIntel, 15, 2, "Pentium 4 (0.13)"},
        {kVendorIntel, 15, 3, "Unknown Pentium 4 family"},
        {kVendorIntel, 15, 0, "Intel McKinley (IA-64)", 1},
        {kVendorIntel, 15, 2, nullptr, 2},
        {kVendorIntel, 8, 0, "Unknown Intel family"},
        {kVendorAmd, 4, 3, "80486DX2"},
        {kVendorAmd, 4, 7, "80486DX2 WriteBack"},
        {kVendorAmd, 4, 8, "80486DX4"},
        {kVendorAmd, 4, 9, "80486DX4 WriteBack"},
        {kVendorAmd, 4, 14, "5x86"},
        {kVendorAmd, 4, 15, "5x86WB"},
        {kVendorAmd, 4, 0, "Unknown 80486 family"},
        {kVendorAmd, 5, 0, "SSA5 (PR75, PR90, PR100)"},
        {kVendorAmd, 5, 1, "5k86 (PR120, PR133)"},
        {kVendorAmd, 5, 2, "5k86 (PR166)"},
        {kVendorAmd, 5, 3, "5k86 (PR200)"},
        {kVendorAmd, 5, 6, "K6 (0.30)"},
        {kVendorAmd, 5, 7, "K6 (0.25)"},
        {kVendorAmd, 5, 8, "K6-2"},
        {kVendorAmd, 5, 9, "K6-III"},
        {kVendorAmd, 5, 13, "K6-2+ or K6-III+ (0.18)"},
        {kVendorAmd, 5, 4, "Unknown 80586 family"},
        {kVendorAmd, 6, 1, "Athlon" TM " (0.25)"},
        {kVendorAmd, 6, 2, "Athlon" TM " (0.18)"},
        {kVendorAmd, 6, 3, "Duron" TM " (SF core)"},
        {kVendorAmd, 6, 4, "Athlon (Thunderbird core)"},
        {kVendorAmd, 6, 6, "Athlon" TM " (Palomino core)"},
        {kVendorAmd, 6, 7, "Duron" TM " (Morgan core)"},
        {kVendorAmd, 6, 8, "Athlon" TM " XP (Thoroughbred core)"},
        {kVendorAmd, 6, 8, "Athlon" TM " MP (Thoroughbred core)", 0, true},
        {kVendorAmd, 6, 10, "Unknown K7 family"},
        {kVendorAmd, 15, 4, "Unknown AMD family"},
        {kVendorNationalSemi, 5, 4, "Cx486SLC \\ DLC \\ Cx486S A-Step"},
        {kVendorNationalSemi, 9, 9, "Cx486SLC \\ DLC \\ Cx486S A-Step"},
        {kVendorUmc, 4, 1, "U5D"},
        {kVendorUmc, 4, 2, "U5S"},
        {kVendorUmc, 4, 3, "Unknown UMC family"},
        {kVendorUmc, 5, 1, "Unknown UMC family"},
        {kVendorCyrix, 4, 4, "MediaGX GX, GXm"},
        {kVendorCyrix, 4, 9, "5x86"},
        {kVendorCyrix, 4, 1, "Unknown Cx5x86 family"},
        {kVendorCyrix, 5, 2, "Cx6x86"},
        {kVendorCyrix, 5, 4, "MediaGX GXm"},
        {kVendorCyrix, 5, 3, "Unknown Cx6x86 family"},
        {kVendorCyrix, 6, 0, "6x86MX"},
        {kVendorCyrix, 6, 5, "Cyrix M2 Core"},
        {kVendorCyrix, 6, 6, "WinChip C5A Core"},
        {kVendorCyrix, 6, 7, "WinChip C5B\\C5C Core"},
        {kVendorCyrix, 6, 8, "WinChip C5C-T Core"},
        {kVendorCyrix, 6, 9, "Unknown 6x86MX\\Cyrix III family"},
        {kVendorCyrix, 7, 0, "Unknown Cyrix family"},
        {kVendorNexGen, 5, 0, "Nx586 or Nx586FPU"},
        {kVendorNexGen, 5, 1, "Unknown NexGen family"},
        {kVendorNexGen, 4, 0, "Unknown NexGen family"},
        {kVendorCentaur, 5, 4, "C6"},
        {kVendorCentaur, 5, 8, "C2"},
        {kVendorCentaur, 5, 9, "C3"},
        {kVendorCentaur, 5, 5, "Unknown IDT\\Centaur family"},
        {kVendorCentaur, 6, 6, "VIA Cyrix III - Samuel"},
        {kVendorCentaur, 6, 7, "Unknown IDT\\Centaur family"},
        {kVendorCentaur, 4, 6, "Unknown IDT\\Centaur family"},
        {kVendorRise, 5, 0, "mP6 (0.25)"},
        {kVendorRise, 5, 2, "mP6 (0.18)"},
        {kVendorRise, 5, 1, "Unknown Rise family"},
        {kVendorRise, 6, 0, "Unknown Rise family"},
        {kVendorTransmeta, 5, 4, "Crusoe TM3x00 and TM5x00"},
        {kVendorTransmeta, 5, 5, "Unknown Crusoe family"},
        {kVendorTransmeta, 15, 2, "Unknown Transmeta family"},
        {kVendorUnknown, 5, 2, "Unknown family"},
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
        // Every name fits the 48-character name buffer.
        EXPECT_LE(name->size(), 48u) << where;
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
