#pragma once
// The clock text of the processor line: read from the registry, else measured.
#include <cstdint>
#include <functional>
#include <string>

// Each method gives MHz, 0 when it has no value; they are tried in this order.
struct ClockMethods {
    std::function<uint32_t()> fromRegistry;
    std::function<uint32_t()> measureQpc;
    std::function<uint32_t()> measureTimer;
};

uint32_t PickClockMHz(const ClockMethods& methods);

// "%d MHZ", or "Unknown" for 0.
std::string FormatClockText(uint32_t mhz);

// Time-stamp counts over a span of the high-resolution counter; 0 when the span is empty.
uint32_t ClockFromCounterSpan(uint32_t tscDelta, int64_t counterDelta, int64_t frequency);

// Time-stamp counts over a 500 ms span of the multimedia timer.
uint32_t ClockFromTimerSpan(uint32_t tscDelta);
