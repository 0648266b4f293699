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
        {"UMC UMC UMC ", kVendorUmc},         {"AMD ISBETTER", kVendorAmd},
        {"NexGenDriven", kVendorNexGen},      {"RiseRiseRise", kVendorRise},
        {"TransmetaCPU", kVendorTransmeta},   {"genuineintel", kVendorUnknown},
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
        {kVendorIntel, 4, 6, "Unknown 80486 family"}, {kVendorIntel, 5, 7, "P54C"},
        {kVendorIntel, 5, 9, "Unknown Pentium" REG " family"}, {kVendorIntel, 6, 4, "Unknown P6 family"},
        {kVendorIntel, 15, 3, "Unknown Pentium 4 family"}, {kVendorIntel, 15, 0, "Intel McKinley (IA-64)", 1},
        {kVendorIntel, 15, 2, nullptr, 2}, {kVendorIntel, 8, 0, "Unknown Intel family"},
        {kVendorAmd, 5, 4, "Unknown 80586 family"}, {kVendorAmd, 6, 8, "Athlon" TM " XP (Thoroughbred core)"},
        {kVendorAmd, 6, 10, "Unknown K7 family"}, {kVendorAmd, 15, 4, "Unknown AMD family"},
        {kVendorNationalSemi, 9, 9, "Cx486SLC \\ DLC \\ Cx486S A-Step"}, {kVendorUmc, 5, 1, "Unknown UMC family"},
        {kVendorCyrix, 5, 3, "Unknown Cx6x86 family"}, {kVendorCyrix, 6, 9, "Unknown 6x86MX\\Cyrix III family"},
        {kVendorCyrix, 7, 0, "Unknown Cyrix family"}, {kVendorNexGen, 4, 0, "Unknown NexGen family"},
        {kVendorCentaur, 6, 7, "Unknown IDT\\Centaur family"}, {kVendorRise, 6, 0, "Unknown Rise family"},
        {kVendorTransmeta, 5, 5, "Unknown Crusoe family"}, {kVendorTransmeta, 15, 2, "Unknown Transmeta family"},
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
    }
}

TEST(CpuNames, UnknownNamesAreThoseThatBeginWithTheWord)
{
    EXPECT_TRUE(IsUnknownName("Unknown family"));
    EXPECT_FALSE(IsUnknownName("P6"));
    EXPECT_FALSE(IsUnknownName(" Unknown P6 family"));
    EXPECT_FALSE(IsUnknownName(""));
}

} // namespace
