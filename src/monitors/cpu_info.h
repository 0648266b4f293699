#pragma once
// Identification of the x86 processor: vendor, signature, features, caches, model name and a
// clock measured against the high-resolution counter. A plain record filled once by Identify.
#include "monitors/cpu_cache.h"
#include "monitors/cpu_names.h"
#include "monitors/cpu_tsc_clock.h"
#include "monitors/cpuid_source.h"

#include <cstdint>
#include <memory>

class CCpuInfo {
public:
    static constexpr uint32_t kLevel1Selector = 0x8000;
    static constexpr uint32_t kLevel2Selector = 0x10000;
    static constexpr uint32_t kLevel3Selector = 0x20000;

    // The program passes SystemCpuProbe() (cpu_probe_win.h); tests pass recorded registers.
    explicit CCpuInfo(CpuProbe probe);

    void Identify();

    const char* GetName() const { return name; }
    // The time-stamp-counter clock; -1 without one.
    int32_t GetClockMHz() const { return clock ? clock->mhz : -1; }
    int32_t GetCacheSize(uint32_t selector) const;

    int32_t vendor = kVendorUnknown;
    uint8_t fpu = 0, tsc = 0, mmx = 0, sse = 0, sseFp = 0, sse2 = 0, ia64 = 0, apic = 0, cmov = 0,
            mtrr = 0, acpi = 0, serialNumber = 0, thermalMonitor = 0;
    int32_t loopClock = -1;
    int32_t level1Cache = -1;
    int32_t level2Cache = -1;
    int32_t level3Cache = -1;
    uint8_t amd3DNow = 0, amd3DNowExtended = 0, multiprocessorCapable = 0, extendedMmx = 0,
            amdMmxExtensions = 0;
    uint8_t hyperThreading = 0;
    uint32_t logicalProcessors = 0;
    uint32_t apicId = 0;
    std::unique_ptr<CCpuClock> clock;
    uint32_t type = 0, family = 0, model = 0, stepping = 0, extendedFamily = 0, extendedModel = 0;
    char name[49] = {};
    char vendorString[13] = {};
    char serialNumberText[30] = {};

    // Whether an extended leaf may be executed and is reported by 0x80000000.
    bool IsExtendedLeafAvailable(uint32_t leaf) const;

private:
    bool Probe();
    void ReadVendorAndSignature();
    void ReadFeatures();
    void MeasureClock();
    void ReadCaches();
    bool NameByBrandString();
    bool NameByModelTables();
    void ReadExtendedFeatures();
    void ReadSerialNumber();

    CpuProbe probe_;
};
