#pragma once
// The machine's CPUID, time-stamp counter and high-resolution counter, for CCpuInfo.
#include "monitors/cpuid_source.h"

CpuProbe SystemCpuProbe();
