#include "monitors/cpu_names.h"

#include <initializer_list>
#include <utility>

// The signs in UTF-8: the program runs with the UTF-8 ANSI code page.
#define TIDEWELL_TM "\xE2\x84\xA2"
#define TIDEWELL_REG "\xC2\xAE"

namespace {

using Row = std::pair<uint32_t, const char*>;

std::string Pick(uint32_t model, std::initializer_list<Row> rows, const char* other)
{
    for (const Row& row : rows)
        if (row.first == model)
            return row.second;
    return other;
}

std::optional<std::string> IntelName(const CpuModelKey& k)
{
    switch (k.family) {
    case 3:
        return "Newer i80386 family";
    case 4:
        return Pick(k.model,
                    {{0, "i80486DX-25/33"}, {1, "i80486DX-50"}, {2, "i80486SX"}, {3, "i80486DX2"},
                     {4, "i80486SL"}, {5, "i80486SX2"}, {7, "i80486DX2 WriteBack"},
                     {8, "i80486DX4"}, {9, "i80486DX4 WriteBack"}},
                    "Unknown 80486 family");
    case 5:
        return Pick(k.model,
                    {{0, "P5 A-Step"}, {1, "P5"}, {2, "P54C"}, {3, "P24T OverDrive"}, {4, "P55C"},
                     {7, "P54C"}, {8, "P55C (0.25)"}},
                    "Unknown Pentium" TIDEWELL_REG " family");
    case 6:
        return Pick(k.model,
                    {{0, "P6 A-Step"}, {1, "P6"}, {3, "Pentium II(0.28)"}, {5, "Pentium II(0.25)"},
                     {6, "Pentium II"}, {7, "Pentium III(0.25)"},
                     {8, "Pentium III(0.18) Coppermine"}, {9, "Pentium3-M Processer"},
                     {10, "Pentium III(0.18)"}, {11, "Pentium III(0.13)"}},
                    "Unknown P6 family");
    case 7:
        return "Intel Merced (IA-64)";
    case 15:
        if (k.extendedFamily == 0)
            return Pick(k.model,
                        {{0, "Pentium 4 (0.18)"}, {1, "Pentium 4 (0.18)"}, {2, "Pentium 4 (0.13)"}},
                        "Unknown Pentium 4 family");
        if (k.extendedFamily == 1)
            return "Intel McKinley (IA-64)";
        return std::nullopt;
    default:
        return "Unknown Intel family";
    }
}

std::string AmdName(const CpuModelKey& k)
{
    switch (k.family) {
    case 4:
        return Pick(k.model,
                    {{3, "80486DX2"}, {7, "80486DX2 WriteBack"}, {8, "80486DX4"},
                     {9, "80486DX4 WriteBack"}, {14, "5x86"}, {15, "5x86WB"}},
                    "Unknown 80486 family");
    case 5:
        return Pick(k.model,
                    {{0, "SSA5 (PR75, PR90, PR100)"}, {1, "5k86 (PR120, PR133)"},
                     {2, "5k86 (PR166)"}, {3, "5k86 (PR200)"}, {6, "K6 (0.30)"}, {7, "K6 (0.25)"},
                     {8, "K6-2"}, {9, "K6-III"}, {13, "K6-2+ or K6-III+ (0.18)"}},
                    "Unknown 80586 family");
    case 6:
        if (k.model == 8)
            return k.multiprocessorCapable ? "Athlon" TIDEWELL_TM " MP (Thoroughbred core)"
                                           : "Athlon" TIDEWELL_TM " XP (Thoroughbred core)";
        return Pick(k.model,
                    {{1, "Athlon" TIDEWELL_TM " (0.25)"}, {2, "Athlon" TIDEWELL_TM " (0.18)"},
                     {3, "Duron" TIDEWELL_TM " (SF core)"}, {4, "Athlon (Thunderbird core)"},
                     {6, "Athlon" TIDEWELL_TM " (Palomino core)"},
                     {7, "Duron" TIDEWELL_TM " (Morgan core)"}},
                    "Unknown K7 family");
    default:
        return "Unknown AMD family";
    }
}

std::string CyrixName(const CpuModelKey& k)
{
    switch (k.family) {
    case 4:
        return Pick(k.model, {{4, "MediaGX GX, GXm"}, {9, "5x86"}}, "Unknown Cx5x86 family");
    case 5:
        return Pick(k.model, {{2, "Cx6x86"}, {4, "MediaGX GXm"}}, "Unknown Cx6x86 family");
    case 6:
        return Pick(k.model,
                    {{0, "6x86MX"}, {5, "Cyrix M2 Core"}, {6, "WinChip C5A Core"},
                     {7, "WinChip C5B\\C5C Core"}, {8, "WinChip C5C-T Core"}},
                    "Unknown 6x86MX\\Cyrix III family");
    default:
        return "Unknown Cyrix family";
    }
}

std::string CentaurName(const CpuModelKey& k)
{
    const char* unknown = "Unknown IDT\\Centaur family";
    if (k.family == 5)
        return Pick(k.model, {{4, "C6"}, {8, "C2"}, {9, "C3"}}, unknown);
    if (k.family == 6 && k.model == 6)
        return "VIA Cyrix III - Samuel";
    return unknown;
}

} // namespace

CpuVendor VendorFromString(const std::string& vendorString)
{
    static const std::pair<const char*, CpuVendor> table[] = {
        {"GenuineIntel", kVendorIntel},   {"UMC UMC UMC ", kVendorUmc},
        {"AuthenticAMD", kVendorAmd},     {"AMD ISBETTER", kVendorAmd},
        {"CyrixInstead", kVendorCyrix},   {"NexGenDriven", kVendorNexGen},
        {"CentaurHauls", kVendorCentaur}, {"RiseRiseRise", kVendorRise},
        {"GenuineTMx86", kVendorTransmeta}, {"TransmetaCPU", kVendorTransmeta},
        {"Geode By NSC", kVendorNationalSemi},
    };
    for (const auto& [text, vendor] : table)
        if (vendorString == text)
            return vendor;
    return kVendorUnknown;
}

std::optional<std::string> ModelTableName(const CpuModelKey& k)
{
    switch (k.vendor) {
    case kVendorIntel:
        return IntelName(k);
    case kVendorAmd:
        return AmdName(k);
    case kVendorNationalSemi:
        return "Cx486SLC \\ DLC \\ Cx486S A-Step";
    case kVendorUmc:
        if (k.family == 4)
            return Pick(k.model, {{1, "U5D"}, {2, "U5S"}}, "Unknown UMC family");
        return "Unknown UMC family";
    case kVendorCyrix:
        return CyrixName(k);
    case kVendorNexGen:
        return k.family == 5 && k.model == 0 ? "Nx586 or Nx586FPU" : "Unknown NexGen family";
    case kVendorCentaur:
        return CentaurName(k);
    case kVendorRise:
        if (k.family == 5)
            return Pick(k.model, {{0, "mP6 (0.25)"}, {2, "mP6 (0.18)"}}, "Unknown Rise family");
        return "Unknown Rise family";
    case kVendorTransmeta:
        if (k.family == 5)
            return Pick(k.model, {{4, "Crusoe TM3x00 and TM5x00"}}, "Unknown Crusoe family");
        return "Unknown Transmeta family";
    default:
        return "Unknown family";
    }
}

bool IsUnknownName(const std::string& name)
{
    return name.rfind("Unknown", 0) == 0;
}
