#include "monitors/cpu_brand.h"

#include "monitors/cpuid_exec.h"

#include <cstring>

namespace {

struct BrandState {
    char vendorString[13] = {};
    CpuidRegisters signature;
};

CpuidRegisters Read(const CpuidSource& cpuid, uint32_t leaf)
{
    CpuidRegisters r;
    if (!cpuid(leaf, 0, r))
        r = {};
    return r;
}

} // namespace

IntelCacheHints ReadIntelCacheHints(const CpuidSource& cpuid)
{
    uint8_t bytes[15];
    DescriptorBytesOf(Read(cpuid, 2), bytes);
    IntelCacheHints hints;
    for (uint8_t b : bytes) {
        hints.celeron = hints.celeron || b == 0x40;
        hints.xeon = hints.xeon || b == 0x44 || b == 0x45;
    }
    return hints;
}

std::string IntelTableName(uint32_t family, uint32_t model, uint32_t brandIndex,
                           const CpuidSource& cpuid)
{
    if (family == 4) {
        switch (model) {
        case 0:
        case 1: return "Intel486(TM) DX ";
        case 2: return "Intel486(TM) SX ";
        case 3: return "IntelDX2(TM) ";
        case 4: return "Intel486(TM) ";
        case 5: return "IntelSX2(TM) ";
        case 7: return "Writeback Enhanced IntelDX2(TM) ";
        case 8: return "IntelDX4(TM) ";
        default: return "Intel 486 ";
        }
    }
    if (family == 5)
        return "Intel Pentium(R)";
    if (family != 6)
        return "";
    switch (model) {
    case 1: return "Intel Pentium(R) Pro ";
    case 3: return "Intel Pentium(R) II,Model 3";
    case 5:
    case 7: {
        const IntelCacheHints hints = ReadIntelCacheHints(cpuid);
        if (hints.celeron)
            return "Intel Celeron(TM),Model 5";
        if (hints.xeon)
            return model == 5 ? "Intel Pentium(R) II Xeon(TM) " : "Intel Pentium(R) III Xeon(TM) ";
        return model == 5 ? "Intel Pentium(R) II,Model 5" : "Intel Pentium(R) III ";
    }
    case 6: return "Intel Celeron(TM),Model 6 ";
    case 8: return "Intel Pentium(R) III Coppermine";
    default: break;
    }
    switch (brandIndex) {
    case 1: return "Intel Celeron(TM) ";
    case 2: return "Intel Pentium(R) III ";
    case 3: return "Intel Pentium(R) III Xeon(TM) ";
    case 8: return "Intel Pentium(R) 4 ";
    default: return "AMD K6-7 Family CPU";
    }
}

std::string GetCpuBrandName(const CpuidSource& cpuid, bool cpuidSupported)
{
    if (!cpuidSupported)
        return "Unknown CPU";
    BrandState state;
    const CpuidRegisters leaf0 = Read(cpuid, 0);
    if (leaf0.eax != 0) {
        VendorTextOf(leaf0, state.vendorString);
    }
    state.signature = Read(cpuid, 1);
    const uint32_t maxExtended = Read(cpuid, 0x80000000).eax;

    std::string name;
    if (std::strstr(state.vendorString, "GenuineIntel")) {
        const uint32_t family = (state.signature.eax >> 8) & 0xF;
        const uint32_t model = (state.signature.eax >> 4) & 0xF;
        name = IntelTableName(family, model, state.signature.ebx & 0xFF, cpuid);
    }
    if (maxExtended > 0x80000003) {
        char brand[49] = {};
        for (uint32_t i = 0; i < 3; ++i)
            BrandTextOf(Read(cpuid, 0x80000002 + i), brand + 16 * i);
        name = brand;
    }
    return name;
}

std::string GetCpuBrandName()
{
    return GetCpuBrandName(HardwareCpuid(), IsCpuidSupported());
}
