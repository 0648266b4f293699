#include "monitors/cpu_cache.h"

#include <algorithm>
#include <cstdint>

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
    // Caches of later Intel processors.
    {0x0D, Q::Level1Data, 16},
    {0x0E, Q::Level1Data, 24},
    {0x2C, Q::Level1Data, 32},
    {0x30, Q::Level1Instruction, 32},
    {0x1D, Q::Level2, 128},
    {0x21, Q::Level2, 256},
    {0x7F, Q::Level2, 512},
    {0x80, Q::Level2, 512},
    {0x86, Q::Level2, 512},
    {0x24, Q::Level2, 1024},
    {0x78, Q::Level2, 1024},
    {0x87, Q::Level2, 1024},
    {0x7D, Q::Level2, 2048},
    {0x48, Q::Level2, 3072},
    {0x49, Q::Level2, 4096},
    {0x4E, Q::Level2, 6144},
    {0xD0, Q::Level3, 512},
    {0xD1, Q::Level3, 1024},
    {0xD6, Q::Level3, 1024},
    {0xDC, Q::Level3, 1536},
    {0xD2, Q::Level3, 2048},
    {0xD7, Q::Level3, 2048},
    {0xE2, Q::Level3, 2048},
    {0xDD, Q::Level3, 3072},
    {0x46, Q::Level3, 4096},
    {0xD8, Q::Level3, 4096},
    {0xE3, Q::Level3, 4096},
    {0x4A, Q::Level3, 6144},
    {0xDE, Q::Level3, 6144},
    {0x47, Q::Level3, 8192},
    {0x4B, Q::Level3, 8192},
    {0xE4, Q::Level3, 8192},
    {0x4C, Q::Level3, 12288},
    {0xEA, Q::Level3, 12288},
    {0x4D, Q::Level3, 16384},
    {0xEB, Q::Level3, 18432},
    {0xEC, Q::Level3, 24576},
    // Their TLBs, prefetch widths and pointers to other leaves: known, but no cache size.
    {0x05, Q::None, 0}, {0x0B, Q::None, 0}, {0x4F, Q::None, 0}, {0x55, Q::None, 0},
    {0x56, Q::None, 0}, {0x57, Q::None, 0}, {0x59, Q::None, 0}, {0x5A, Q::None, 0},
    {0x61, Q::None, 0}, {0x63, Q::None, 0}, {0x64, Q::None, 0}, {0x6A, Q::None, 0},
    {0x6B, Q::None, 0}, {0x6C, Q::None, 0}, {0x6D, Q::None, 0}, {0x76, Q::None, 0},
    {0xA0, Q::None, 0}, {0xB0, Q::None, 0}, {0xB1, Q::None, 0}, {0xB2, Q::None, 0},
    {0xB3, Q::None, 0}, {0xB4, Q::None, 0}, {0xB5, Q::None, 0}, {0xB6, Q::None, 0},
    {0xBA, Q::None, 0}, {0xC0, Q::None, 0}, {0xC1, Q::None, 0}, {0xC2, Q::None, 0},
    {0xC3, Q::None, 0}, {0xC4, Q::None, 0}, {0xCA, Q::None, 0}, {0xF0, Q::None, 0},
    {0xF1, Q::None, 0}, {0xFE, Q::None, 0},
    {0xFF, Q::Deterministic, 0},
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
    case Q::Deterministic: deterministic = true; break;
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

CacheSizes CachesByDeterministicLeaf(const CpuidSource& cpuid)
{
    CacheSizes sizes;
    CpuidRegisters r;
    if (!cpuid(0, 0, r) || r.eax < 4)
        return sizes;
    int32_t level1 = 0;
    bool level1Seen = false;
    // A handful of caches at most; the bound guards against a processor that never says "no more".
    for (uint32_t index = 0; index < 16 && cpuid(4, index, r); ++index) {
        const uint32_t type = r.eax & 0x1F;
        if (type == 0)
            break;
        const uint64_t bytes = ((r.ebx >> 22) + 1ull) * (((r.ebx >> 12) & 0x3FF) + 1ull) *
                               ((r.ebx & 0xFFF) + 1ull) * (r.ecx + 1ull);
        const auto kb = static_cast<int32_t>(std::min<uint64_t>(bytes / 1024, INT32_MAX));
        switch ((r.eax >> 5) & 0x7) {
        case 1:
            level1 += kb; // data and instruction caches add up
            level1Seen = true;
            break;
        case 2: Raise(sizes.level2, kb); break;
        case 3: Raise(sizes.level3, kb); break;
        default: break;
        }
    }
    if (level1Seen)
        sizes.level1 = level1;
    return sizes;
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
    if (scan.deterministic) {
        const CacheSizes described = CachesByDeterministicLeaf(cpuid);
        for (auto level : {&CacheSizes::level1, &CacheSizes::level2, &CacheSizes::level3})
            if (described.*level >= 0)
                sizes.*level = described.*level;
    }
    return true;
}
