#include "monitors/cpu_info.h"

#include <cstdio>
#include <cstring>
#include <new>
#include <utility>

namespace {

uint8_t Bit(uint32_t value, int bit)
{
    return static_cast<uint8_t>((value >> bit) & 1);
}

uint32_t Bits(uint32_t value, int high, int low)
{
    return (value >> low) & ((1u << (high - low + 1)) - 1);
}

} // namespace

CCpuInfo::CCpuInfo(CpuProbe probe) : probe_(std::move(probe)) {}

void CCpuInfo::Identify()
{
    if (!Probe())
        return;
    ReadVendorAndSignature();
    ReadFeatures();
    MeasureClock();
    ReadCaches();
    // The AMD model table tells XP from MP by the multiprocessor flag, so the extended
    // features are read before the name is chosen.
    ReadExtendedFeatures();
    if (!NameByBrandString())
        NameByModelTables();
    ReadSerialNumber();
}

int32_t CCpuInfo::GetCacheSize(uint32_t selector) const
{
    switch (selector) {
    case kLevel1Selector: return level1Cache;
    case kLevel2Selector: return level2Cache;
    case kLevel3Selector: return level3Cache;
    default: return -1;
    }
}

bool CCpuInfo::Probe()
{
    CpuidRegisters r;
    return probe_.cpuid && probe_.cpuid(0, 0, r);
}

void CCpuInfo::ReadVendorAndSignature()
{
    CpuidRegisters r;
    if (probe_.cpuid(0, 0, r)) {
        VendorTextOf(r, vendorString);
        vendorString[12] = '\0';
    }
    vendor = VendorFromString(vendorString);
    if (!probe_.cpuid(1, 0, r))
        return;
    type = Bits(r.eax, 15, 12);
    family = Bits(r.eax, 11, 8);
    model = Bits(r.eax, 7, 4);
    stepping = Bits(r.eax, 3, 0);
    extendedFamily = Bits(r.eax, 27, 20);
    extendedModel = Bits(r.eax, 19, 16);
}

void CCpuInfo::ReadFeatures()
{
    CpuidRegisters r;
    if (!probe_.cpuid(1, 0, r))
        return;
    const uint32_t d = r.edx;
    fpu = Bit(d, 0);
    tsc = Bit(d, 4);
    mmx = Bit(d, 23);
    sse = Bit(d, 25);
    sseFp = Bit(d, 25);
    sse2 = Bit(d, 26);
    ia64 = Bit(d, 30);
    apic = Bit(d, 9);
    cmov = Bit(d, 15);
    mtrr = Bit(d, 12);
    acpi = Bit(d, 22);
    serialNumber = Bit(d, 18);
    thermalMonitor = Bit(d, 29);
    if (vendor != kVendorIntel)
        return;
    hyperThreading = Bit(d, 28);
    logicalProcessors = hyperThreading ? Bits(r.ebx, 23, 16) : 1;
    if (hyperThreading && apic)
        apicId = Bits(r.ebx, 31, 24);
}

void CCpuInfo::MeasureClock()
{
    if (tsc) {
        clock.reset(new (std::nothrow) CCpuClock);
        if (clock) {
            clock->mhz = MeasureTscClockMHz(probe_);
            return;
        }
    }
    loopClock = EstimateLoopClockMHz(probe_, family);
}

void CCpuInfo::ReadCaches()
{
    CacheSizes sizes;
    // Intel reserves 0x80000005 (it reads all zero): its level 1 comes from leaf 2 (or leaf 4).
    const bool intel = vendor == kVendorIntel;
    const LeafAvailable available = [this, intel](uint32_t leaf) {
        return !(intel && leaf == 0x80000005) && IsExtendedLeafAvailable(leaf);
    };
    if (!CachesByExtendedLeaves(probe_.cpuid, available, sizes)) {
        CachesByDescriptors(probe_.cpuid, sizes);
    } else if (intel) {
        CacheSizes described;
        if (CachesByDescriptors(probe_.cpuid, described))
            sizes.level1 = described.level1;
    }
    level1Cache = sizes.level1;
    level2Cache = sizes.level2;
    level3Cache = sizes.level3;
}

bool CCpuInfo::IsExtendedLeafAvailable(uint32_t leaf) const
{
    switch (vendor) {
    case kVendorAmd:
        if (family < 5 || (family == 5 && model < 6))
            return false;
        break;
    case kVendorIntel:
        // The P6 family and its successors answer 0x80000000 truthfully (with a maximum, or
        // with basic-leaf data that lacks the top bit), and the Core processors keep their
        // brand string and cache leaves there.
        if (family < 6)
            return false;
        break;
    case kVendorCyrix:
        if (family < 5 || (family == 5 && model < 4) || (family == 6 && model < 5))
            return false;
        break;
    case kVendorCentaur:
        if (family < 5 || (family == 5 && model < 8))
            return false;
        break;
    case kVendorTransmeta:
        if (family < 5)
            return false;
        break;
    default:
        break;
    }
    CpuidRegisters r;
    if (!probe_.cpuid(0x80000000, 0, r))
        return false;
    // Processors without extended leaves echo basic-leaf data here; a real maximum has the
    // top bit set.
    if ((r.eax & 0x80000000u) == 0)
        return false;
    return (r.eax & 0x7FFFFFFFu) >= (leaf & 0x7FFFFFFFu);
}

bool CCpuInfo::NameByBrandString()
{
    for (uint32_t leaf = 0x80000002; leaf <= 0x80000004; ++leaf)
        if (!IsExtendedLeafAvailable(leaf))
            return false;
    char text[49] = {};
    for (uint32_t i = 0; i < 3; ++i) {
        CpuidRegisters r;
        if (!probe_.cpuid(0x80000002 + i, 0, r))
            return false;
        BrandTextOf(r, text + 16 * i);
    }
    text[48] = '\0';
    std::memcpy(name, text, sizeof name);
    if (vendor == kVendorIntel) {
        // Intel right-aligns some brand strings with leading spaces.
        size_t first = 0;
        while (first < sizeof name && (name[first] == ' ' || name[first] == '\0'))
            ++first;
        if (first > 0 && first < sizeof name)
            std::memmove(name, name + first, sizeof name - first);
    }
    return true;
}

bool CCpuInfo::NameByModelTables()
{
    const CpuModelKey key{vendor, family, model, extendedFamily, multiprocessorCapable != 0};
    const std::optional<std::string> found = ModelTableName(key);
    if (!found)
        return true;
    std::snprintf(name, sizeof name, "%s", found->c_str());
    return !IsUnknownName(*found);
}

void CCpuInfo::ReadExtendedFeatures()
{
    if (vendor == kVendorIntel || !IsExtendedLeafAvailable(0x80000001))
        return;
    CpuidRegisters r;
    if (!probe_.cpuid(0x80000001, 0, r))
        return;
    amd3DNow = Bit(r.edx, 31);
    amd3DNowExtended = Bit(r.edx, 30);
    multiprocessorCapable = Bit(r.edx, 19);
    if (vendor == kVendorAmd)
        extendedMmx = Bit(r.edx, 22);
    else if (vendor == kVendorCyrix)
        extendedMmx = Bit(r.edx, 24);
    amdMmxExtensions = Bit(r.edx, 22);
}

void CCpuInfo::ReadSerialNumber()
{
    CpuidRegisters r;
    if (!serialNumber || !probe_.cpuid(3, 0, r))
        return;
    uint8_t b[12];
    const uint32_t regs[3] = {r.ebx, r.ecx, r.edx};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 4; ++j)
            b[4 * i + j] = static_cast<uint8_t>(regs[i] >> (24 - 8 * j));
    std::snprintf(serialNumberText, sizeof serialNumberText,
                  "%.2x%.2x-%.2x%.2x-%.2x%.2x-%.2x%.2x-%.2x%.2x-%.2x%.2x", b[0], b[1], b[2], b[3],
                  b[4], b[5], b[6], b[7], b[8], b[9], b[10], b[11]);
}
