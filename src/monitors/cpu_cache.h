#pragma once
// Cache sizes from the extended leaves, the leaf-2 descriptor bytes or leaf 4.
#include "monitors/cpuid_source.h"

#include <cstdint>
#include <functional>

// Sizes in KB; -1 when unknown.
struct CacheSizes {
    int32_t level1 = -1;
    int32_t level2 = -1;
    int32_t level3 = -1;
};

enum class DescriptorQuantity {
    None,
    InstructionTlb,
    DataTlb,
    Level1Instruction,
    Level1Data,
    Trace,
    Level2,
    Level2Absent, // no level-2 cache: 0 unless a size is known
    Level3,
    Deterministic, // 0xFF: the sizes are in leaf 4
};

struct CacheDescriptor {
    uint8_t code;
    DescriptorQuantity quantity;
    int32_t value;
};

// The known descriptor, or nullptr.
const CacheDescriptor* FindCacheDescriptor(uint8_t code);

// Running maxima of one descriptor scan; all start unknown.
struct DescriptorScan {
    int32_t instructionTlb = -1;
    int32_t dataTlb = -1;
    int32_t level1Instruction = -1;
    int32_t level1Data = -1;
    int32_t trace = -1;
    int32_t level2 = -1;
    int32_t level3 = -1;
    bool deterministic = false;

    // False for an unknown descriptor, which ends the scan.
    bool Apply(uint8_t code);
    CacheSizes Sizes() const;
};

using LeafAvailable = std::function<bool(uint32_t leaf)>;

// Level-1 from 0x80000005, level-2 from 0x80000006. False when neither is known.
bool CachesByExtendedLeaves(const CpuidSource& cpuid, const LeafAvailable& available,
                            CacheSizes& sizes);

// Leaf 2, run as often as its AL says; where a descriptor defers to leaf 4, leaf 4's sizes win.
// False, with the sizes untouched, at an unknown descriptor or a faulting CPUID.
bool CachesByDescriptors(const CpuidSource& cpuid, CacheSizes& sizes);

// Leaf 4 (deterministic cache parameters): level 1 is its data and instruction caches together.
// Unknown levels stay -1, all of them when the processor has no leaf 4.
CacheSizes CachesByDeterministicLeaf(const CpuidSource& cpuid);
