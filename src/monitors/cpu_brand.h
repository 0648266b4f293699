#pragma once
// The processor's brand name for the main window's processor line: the brand string when the
// processor has one, else the Intel name table; independent of CCpuInfo.
#include "monitors/cpuid_source.h"

#include <cstdint>
#include <string>

struct IntelCacheHints {
    bool celeron = false; // a leaf-2 descriptor 0x40: no level-2 cache
    bool xeon = false;    // a descriptor 0x44 or 0x45: 1 MB or 2 MB level-2 cache
};

IntelCacheHints ReadIntelCacheHints(const CpuidSource& cpuid);

// The Intel name table; the hints are read only for the models that need them.
std::string IntelTableName(uint32_t family, uint32_t model, uint32_t brandIndex,
                           const CpuidSource& cpuid);

// "Unknown CPU" without CPUID; empty for other vendors without a brand string.
std::string GetCpuBrandName(const CpuidSource& cpuid, bool cpuidSupported);
std::string GetCpuBrandName();
