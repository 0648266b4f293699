#pragma once
// The Win32 side of the clock text: the registry's "~MHz" value and two measurements.
#include "monitors/cpu_clock.h"

#include <cstdint>
#include <string>

// HKLM "Hardware\Description\System\CentralProcessor\0" "~MHz"; 0 when it cannot be read.
uint32_t GetClockFromRegistry();
// Time-stamp counts across Sleep(300) timed by the high-resolution counter; 0 without one.
uint32_t MeasureClockQpc();
// Time-stamp counts across 500 ms of the multimedia timer.
uint32_t MeasureClockTimer();

// Tries the methods in order under a raised priority class, then restores the class.
std::string GetCpuClockText(const ClockMethods& methods);
std::string GetCpuClockText();
