#pragma once
// The processor's own CPUID and RDTSC. On anything but x86 these report a fault.
#include "monitors/cpuid_source.h"

// Toggles the ID bit of the flags register and reports whether the change sticks.
bool IsCpuidSupported();

bool ExecuteCpuid(uint32_t leaf, uint32_t subleaf, CpuidRegisters& out);
bool ReadCpuTimeStamp(uint64_t& out);

// CPUID and RDTSC of this processor; no counter (the platform layer supplies one).
CpuidSource HardwareCpuid();
TscSource HardwareTsc();
