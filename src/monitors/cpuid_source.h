#pragma once
// What the processor identification reads from the machine. Decoding sees only these function
// objects, so recorded register sets can stand in for the processor.
#include <cstdint>
#include <functional>

struct CpuidRegisters {
    uint32_t eax = 0;
    uint32_t ebx = 0;
    uint32_t ecx = 0;
    uint32_t edx = 0;
};

// Executes CPUID for a leaf (and subleaf); false when the instruction faulted.
using CpuidSource = std::function<bool(uint32_t leaf, uint32_t subleaf, CpuidRegisters& out)>;

// Reads the time-stamp counter; false when the instruction faulted.
using TscSource = std::function<bool(uint64_t& out)>;

// One reading of the high-resolution counter (or its frequency); false when there is none.
using CounterSource = std::function<bool(int64_t& out)>;

struct CpuProbe {
    CpuidSource cpuid;
    TscSource readTsc;
    CounterSource counterFrequency;
    CounterSource counterNow;
};

// Four little-endian bytes of a register, as text, in register order.
inline void AppendRegisterText(char* dest, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        dest[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}
