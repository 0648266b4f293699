#include "monitors/cpu_cache.h"

#include <algorithm>

namespace {

using Q = DescriptorQuantity;

constexpr CacheDescriptor kDescriptors[] = {
    {0x00, Q::None, 0},
    {0x01, Q::InstructionTlb, 4},
    {0x02, Q::InstructionTlb, 4096},
    {0x50, Q::InstructionTlb, 4096},
    {0x51, Q::InstructionTlb, 4096},
    {0x52, Q::InstructionTlb, 4096},
    {0x90, Q::InstructionTlb, 262144},
    {0x96, Q::InstructionTlb, 262144},
    {0x9B, Q::InstructionTlb, 262144},
    {0x03, Q::DataTlb, 4},
    {0x04, Q::DataTlb, 4096},
    {0x5B, Q::DataTlb, 4096},
    {0x5C, Q::DataTlb, 4096},
    {0x5D, Q::DataTlb, 4096},
    {0x06, Q::Level1Instruction, 8},
    {0x08, Q::Level1Instruction, 16},
    {0x15, Q::Level1Instruction, 16},
    {0x77, Q::Level1Instruction, 16},
    {0x0A, Q::Level1Data, 8},
    {0x66, Q::Level1Data, 8},
    {0x0C, Q::Level1Data, 16},
    {0x10, Q::Level1Data, 16},
    {0x67, Q::Level1Data, 16},
    {0x68, Q::Level1Data, 32},
    {0x70, Q::Trace, 12},
    {0x71, Q::Trace, 16},
    {0x72, Q::Trace, 32},
    {0x1A, Q::Level2, 96},
    {0x39, Q::Level2, 128},
    {0x41, Q::Level2, 128},
    {0x79, Q::Level2, 128},
    {0x81, Q::Level2, 128},
    {0x3C, Q::Level2, 256},
    {0x42, Q::Level2, 256},
    {0x7A, Q::Level2, 256},
    {0x7E, Q::Level2, 256},
    {0x82, Q::Level2, 256},
    {0x43, Q::Level2, 512},
    {0x7B, Q::Level2, 512},
    {0x83, Q::Level2, 512},
    {0x44, Q::Level2, 1024},
    {0x7C, Q::Level2, 1024},
    {0x84, Q::Level2, 1024},
    {0x45, Q::Level2, 2048},
    {0x85, Q::Level2, 2048},
    {0x40, Q::Level2Absent, 0},
    {0x22, Q::Level3, 512},
    {0x23, Q::Level3, 1024},
    {0x25, Q::Level3, 2048},
    {0x88, Q::Level3, 2048},
    {0x8D, Q::Level3, 3072},
    {0x29, Q::Level3, 4096},
    {0x89, Q::Level3, 4096},
    {0x8A, Q::Level3, 8192},
};

void Raise(int32_t& maximum, int32_t value)
{
    maximum = std::max(maximum, value);
}

} // namespace

const CacheDescriptor* FindCacheDescriptor(uint8_t code)
{
    for (const CacheDescriptor& d : kDescriptors)
        if (d.code == code)
            return &d;
    return nullptr;
}

bool DescriptorScan::Apply(uint8_t code)
{
    const CacheDescriptor* d = FindCacheDescriptor(code);
    if (!d)
        return false;
    switch (d->quantity) {
    case Q::None: break;
    case Q::InstructionTlb: Raise(instructionTlb, d->value); break;
    case Q::DataTlb: Raise(dataTlb, d->value); break;
    case Q::Level1Instruction: Raise(level1Instruction, d->value); break;
    case Q::Level1Data: Raise(level1Data, d->value); break;
    case Q::Trace: Raise(trace, d->value); break;
    case Q::Level2: Raise(level2, d->value); break;
    case Q::Level2Absent: Raise(level2, 0); break;
    case Q::Level3: Raise(level3, d->value); break;
    }
    return true;
}

CacheSizes DescriptorScan::Sizes() const
{
    CacheSizes sizes;
    if (level1Instruction >= 0 && level1Data >= 0)
        sizes.level1 = level1Instruction + level1Data;
    else if (level1Instruction >= 0)
        sizes.level1 = level1Instruction;
    else if (level1Data >= 0)
        sizes.level1 = level1Data;
    else
        sizes.level1 = trace; // -1 when that is unknown too
    sizes.level2 = level2;
    sizes.level3 = level3;
    return sizes;
}

bool CachesByExtendedLeaves(const CpuidSource& cpuid, const LeafAvailable& available,
                            CacheSizes& sizes)
{
    CacheSizes found;
    CpuidRegisters r;
    if (available(0x80000005) && cpuid(0x80000005, 0, r))
        found.level1 = static_cast<int32_t>((r.edx >> 24) + (r.ecx >> 24));
    if (available(0x80000006) && cpuid(0x80000006, 0, r))
        found.level2 = static_cast<int32_t>(r.ecx >> 16);
    sizes = found;
    return found.level1 != -1 || found.level2 != -1;
}

bool CachesByDescriptors(const CpuidSource& cpuid, CacheSizes& sizes)
{
    DescriptorScan scan;
    uint32_t rounds = 1;
    for (uint32_t round = 0; round < rounds; ++round) {
        CpuidRegisters r;
        if (!cpuid(2, 0, r))
            return false;
        if (round == 0)
            rounds = std::max<uint32_t>(1, r.eax & 0xFF);
        uint8_t bytes[15];
        DescriptorBytesOf(r, bytes);
        for (uint8_t b : bytes)
            if (!scan.Apply(b))
                return false;
    }
    sizes = scan.Sizes();
    return true;
}
