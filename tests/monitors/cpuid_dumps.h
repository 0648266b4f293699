#pragma once
#include "monitors/cpu_names.h"
#include "monitors/fake_cpu.h"

#include <ostream>
#include <string>
#include <vector>

struct CpuDump {
    const char* label;
    std::vector<LeafDump> leaves;
    bool echoHighestBasic;

    int32_t vendor;
    uint32_t family, model, stepping, extendedFamily;
    std::string name;
    int32_t level1, level2, level3;
    bool tsc;
    uint8_t hyperThreading;
    uint32_t logicalProcessors, apicId;
    uint8_t amd3DNow, multiprocessorCapable, extendedMmx;
    std::string serial;
    std::string brandName;
};

inline void PrintTo(const CpuDump& d, std::ostream* os)
{
    *os << d.label;
}

inline std::vector<LeafDump> Join(std::vector<LeafDump> a, const std::vector<LeafDump>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

inline std::vector<LeafDump> AthlonLeaves(uint32_t features, bool withCacheLeaves)
{
    std::vector<LeafDump> leaves = {
        VendorLeaf(1, "AuthenticAMD"), {1, {0x681, 0, 0, 0x0383FBFF}},
        {0x80000000, {withCacheLeaves ? 0x80000008u : 0x80000001u, Text4("Auth"), Text4("cAMD"), Text4("enti")}},
        {0x80000001, {0x781, 0, 0, features}}};
    if (withCacheLeaves)
        leaves.insert(leaves.end(), {{0x80000005, {0x0408FF08, 0xFF20FF10, 0x40020140, 0x40020140}},
                                     {0x80000006, {0, 0x41004100, 0x01008140, 0}}});
    return leaves;
}

#define TW_TM "\xE2\x84\xA2"

inline const std::vector<CpuDump>& CpuDumps()
{
    static const std::vector<CpuDump> dumps = {
        {"Pentium III Coppermine, serial number off",
         {VendorLeaf(2, "GenuineIntel"), {1, {0x686, 2, 0, 0x0383F9FF}}, {2, {0x03020101, 0, 0, 0x0C040882}}},
         true, kVendorIntel, 6, 8, 6, 0, "Pentium III(0.18) Coppermine", 32, 256, -1, true, 0, 1, 0, 0, 0, 0, "",
         "Intel Pentium(R) III Coppermine"},
        {"Pentium 4 Northwood with hyper-threading, right-aligned brand string",
         Join({VendorLeaf(2, "GenuineIntel"), {1, {0xF29, 0x01020809, 0x4400, 0xBFEBFBFF}},
               {2, {0x665B5001, 0, 0, 0x007B7040}}, {0x80000000, {0x80000004, 0, 0, 0}}, {0x80000001, {}}},
              BrandLeaves("              Intel(R) Pentium(R) 4 CPU 3.06GHz")),
         true, kVendorIntel, 15, 2, 9, 0, "Intel(R) Pentium(R) 4 CPU 3.06GHz", 8, 512, -1, true, 1, 2, 1, 0, 0, 0, "",
         "              Intel(R) Pentium(R) 4 CPU 3.06GHz"},
        {"Celeron Covington, no level-2 cache",
         {VendorLeaf(2, "GenuineIntel"), {1, {0x651, 0, 0, 0x0183F9FF}}, {2, {0x03020101, 0, 0, 0x0C040840}}},
         true, kVendorIntel, 6, 5, 1, 0, "Pentium II(0.25)", 32, 0, -1, true, 0, 1, 0, 0, 0, 0, "",
         "Intel Celeron(TM),Model 5"},
        {"Pentium III Xeon Tanner 2 MB, serial number on",
         {VendorLeaf(3, "GenuineIntel"), {1, {0x673, 0, 0, 0x0387FBFF}}, {2, {0x03020101, 0, 0, 0x0C040845}},
          {3, {0, 0, 0x2B4C1A03, 0x0000E4F1}}},
         true, kVendorIntel, 6, 7, 3, 0, "Pentium III(0.25)", 32, 2048, -1, true, 0, 1, 0, 0, 0, 0,
         "0000-0000-2b4c-1a03-0000-e4f1", "Intel Pentium(R) III Xeon(TM) "},
        {"Athlon XP Thoroughbred",
         Join(AthlonLeaves(0xC1C3FBFF, true), BrandLeaves("AMD Athlon(tm) XP 2200+")),
         false, kVendorAmd, 6, 8, 1, 0, "AMD Athlon(tm) XP 2200+", 128, 256, -1, true, 0, 0, 0, 1, 0, 1, "",
         "AMD Athlon(tm) XP 2200+"},
        {"Athlon MP Thoroughbred",
         Join(AthlonLeaves(0xC1CBFBFF, true), BrandLeaves("AMD Athlon(tm) MP 2000+")),
         false, kVendorAmd, 6, 8, 1, 0, "AMD Athlon(tm) MP 2000+", 128, 256, -1, true, 0, 0, 0, 1, 1, 1, "",
         "AMD Athlon(tm) MP 2000+"},
        {"Athlon MP Thoroughbred without brand-string leaves", AthlonLeaves(0xC1CBFBFF, false),
         false, kVendorAmd, 6, 8, 1, 0, "Athlon" TW_TM " MP (Thoroughbred core)", -1, -1, -1, true,
         0, 0, 0, 1, 1, 1, "", ""},
        {"Cyrix 6x86MX", {VendorLeaf(1, "CyrixInstead"), {1, {0x600, 0, 0, 0x0080A135}}},
         false, kVendorCyrix, 6, 0, 0, 0, "6x86MX", -1, -1, -1, true, 0, 0, 0, 0, 0, 0, "", ""},
        {"IDT WinChip C6 (Centaur)", {VendorLeaf(1, "CentaurHauls"), {1, {0x541, 0, 0, 0x008001B5}}},
         false, kVendorCentaur, 5, 4, 1, 0, "C6", -1, -1, -1, true, 0, 0, 0, 0, 0, 0, "", ""},
        {"Transmeta Crusoe TM5800",
         Join({VendorLeaf(1, "GenuineTMx86"), {1, {0x543, 0, 0, 0x0080893F}}, {0x80000000, {0x80000006, 0, 0, 0}},
               {0x80000001, {0x543, 0, 0, 0x0080893F}}, {0x80000005, {0, 0, 0x40040120, 0x40040120}},
               {0x80000006, {0, 0, 0x02000140, 0}}},
              BrandLeaves("Transmeta(tm) Crusoe(tm) Processor TM5800")),
         false, kVendorTransmeta, 5, 4, 3, 0, "Transmeta(tm) Crusoe(tm) Processor TM5800", 128, 512, -1, true,
         0, 0, 0, 0, 0, 0, "", "Transmeta(tm) Crusoe(tm) Processor TM5800"},
        {"Geode GX1", {VendorLeaf(2, "Geode By NSC"), {1, {0x540, 0, 0, 0x00808131}}},
         false, kVendorNationalSemi, 5, 4, 0, 0, "Cx486SLC \\ DLC \\ Cx486S A-Step", -1, -1, -1, true,
         0, 0, 0, 0, 0, 0, "", ""},
        {"Vortex86 SoC (unknown vendor)", {VendorLeaf(1, "Vortex86 SoC"), {1, {0x522, 0, 0, 0x00008011}}},
         true, kVendorUnknown, 5, 2, 2, 0, "Unknown family", -1, -1, -1, true, 0, 0, 0, 0, 0, 0, "", ""},
        {"Intel 486 DX4 without time-stamp counter", {VendorLeaf(1, "GenuineIntel"), {1, {0x480, 0, 0, 3}}},
         true, kVendorIntel, 4, 8, 0, 0, "i80486DX4", -1, -1, -1, false, 0, 1, 0, 0, 0, 0, "", "IntelDX4(TM) "},
        {"Pentium M Dothan: TLB descriptors beside the caches, no extended cache leaves",
         Join({VendorLeaf(2, "GenuineIntel"), {1, {0x6D6, 0, 0x180, 0xAFE9FBFF}}, {2, {0x02B3B001, 0xF0, 0, 0x2C04307D}},
               {0x80000000, {0x80000004, 0, 0, 0}}},
              BrandLeaves("Intel(R) Pentium(R) M processor 1.73GHz")),
         true, kVendorIntel, 6, 13, 6, 0, "Intel(R) Pentium(R) M processor 1.73GHz", 64, 2048, -1, true, 0, 1, 0,
         0, 0, 0, "", "Intel(R) Pentium(R) M processor 1.73GHz"},
        {"Core 2 Duo E6600: level 1 from leaf 2, not from the reserved 0x80000005",
         Join({VendorLeaf(0xA, "GenuineIntel"), {1, {0x6F6, 0x00020800, 0xE3BD, 0xBFEBFBFF}},
               {2, {0x05B0B101, 0x005657F0, 0, 0x2CB43049}}, {0x80000000, {0x80000008, 0, 0, 0}},
               {0x80000001, {0, 0, 1, 0x20100000}}, {0x80000005, {}}, {0x80000006, {0, 0, 0x10008040, 0}}},
              BrandLeaves("Intel(R) Core(TM)2 CPU          6600  @ 2.40GHz")),
         true, kVendorIntel, 6, 15, 6, 0, "Intel(R) Core(TM)2 CPU          6600  @ 2.40GHz", 64, 4096, -1, true, 1,
         2, 0, 0, 0, 0, "", "Intel(R) Core(TM)2 CPU          6600  @ 2.40GHz"},
        {"Core i7-8700 (Coffee Lake): leaf 2 defers to leaf 4",
         Join({VendorLeaf(0x16, "GenuineIntel"), {1, {0x000906EA, 0x0C100800, 0x7FFAFBFF, 0xBFEBFBFF}},
               {2, {0x00FEFF01, 0xF0, 0, 0}}, {4, {0x1C004121, 0x01C0003F, 0x3F, 0}},
               {4, {0x1C004122, 0x01C0003F, 0x3F, 0}, 1}, {4, {0x1C004143, 0x00C0003F, 0x3FF, 0}, 2},
               {4, {0x1C03C163, 0x03C0003F, 0x2FFF, 6}, 3}, {0x80000000, {0x80000008, 0, 0, 0}},
               {0x80000001, {0, 0, 0x121, 0x2C100800}}, {0x80000005, {}}, {0x80000006, {0, 0, 0x01006040, 0}}},
              BrandLeaves("Intel(R) Core(TM) i7-8700 CPU @ 3.20GHz")),
         true, kVendorIntel, 6, 14, 10, 0, "Intel(R) Core(TM) i7-8700 CPU @ 3.20GHz", 64, 256, -1, true, 1, 16, 12,
         0, 0, 0, "", "Intel(R) Core(TM) i7-8700 CPU @ 3.20GHz"},
        {"Ryzen 7 5800X (Zen 3)",
         Join({VendorLeaf(0x10, "AuthenticAMD"), {1, {0x00A20F10, 0x00100800, 0x7ED8320B, 0x178BFBFF}},
               {0x80000000, {0x80000020, Text4("Auth"), Text4("cAMD"), Text4("enti")}},
               {0x80000001, {0x00A20F10, 0x20000000, 0x75C237FF, 0x2FD3FBFF}},
               {0x80000005, {0xFF40FF40, 0xFF40FF40, 0x20080140, 0x20080140}},
               {0x80000006, {0x48002200, 0x68004200, 0x02006140, 0x02009140}}},
              BrandLeaves("AMD Ryzen 7 5800X 8-Core Processor            ")),
         false, kVendorAmd, 15, 1, 0, 10, "AMD Ryzen 7 5800X 8-Core Processor            ", 64, 512, -1, true,
         0, 0, 0, 0, 0, 1, "", "AMD Ryzen 7 5800X 8-Core Processor            "},
    };
    return dumps;
}
