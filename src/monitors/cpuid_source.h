#pragma once
// What the processor identification reads from the machine. Decoding sees only these function
// objects, so recorded register sets can stand in for the processor.
#include <cstdint>
#include <functional>
#include <initializer_list>

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

// The 12 characters of the vendor string in leaf 0: EBX, EDX, ECX (no terminator).
inline void VendorTextOf(const CpuidRegisters& leaf0, char* dest)
{
    AppendRegisterText(dest, leaf0.ebx);
    AppendRegisterText(dest + 4, leaf0.edx);
    AppendRegisterText(dest + 8, leaf0.ecx);
}

// The 16 characters of one brand-string leaf: EAX, EBX, ECX, EDX (no terminator).
inline void BrandTextOf(const CpuidRegisters& leaf, char* dest)
{
    AppendRegisterText(dest, leaf.eax);
    AppendRegisterText(dest + 4, leaf.ebx);
    AppendRegisterText(dest + 8, leaf.ecx);
    AppendRegisterText(dest + 12, leaf.edx);
}

// The 15 descriptor bytes of a leaf-2 answer: EAX bytes 1 to 3, then EBX, ECX and EDX, low
// byte first. AL is the round count, not a descriptor.
inline void DescriptorBytesOf(const CpuidRegisters& leaf2, uint8_t* dest)
{
    for (int i = 1; i < 4; ++i)
        *dest++ = static_cast<uint8_t>(leaf2.eax >> (8 * i));
    for (uint32_t reg : {leaf2.ebx, leaf2.ecx, leaf2.edx})
        for (int i = 0; i < 4; ++i)
            *dest++ = static_cast<uint8_t>(reg >> (8 * i));
}
