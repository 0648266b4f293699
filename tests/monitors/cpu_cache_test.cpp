#include "monitors/cpu_cache.h"

#include "monitors/fake_cpu.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>

namespace {

// Descriptor bytes in scan order (EAX bytes 1..3, then EBX, ECX, EDX), AL = rounds.
CpuidRegisters Leaf2(std::initializer_list<uint8_t> bytes, uint8_t rounds = 1)
{
    uint32_t regs[4] = {rounds, 0, 0, 0};
    int position = 1;
    for (uint8_t b : bytes) {
        regs[position / 4] |= static_cast<uint32_t>(b) << (8 * (position % 4));
        ++position;
    }
    return {regs[0], regs[1], regs[2], regs[3]};
}

struct ScanCase {
    const char* label;
    std::vector<CpuidRegisters> rounds;
    bool ok;
    int32_t level1, level2, level3;
};

TEST(CpuCache, DescriptorScan)
{
    const ScanCase cases[] = {
        {"instruction and data add up", {Leaf2({0x08, 0x0C})}, true, 32, -1, -1},
        {"trace cache alone stands for level 1", {Leaf2({0x70})}, true, 12, -1, -1},
        {"trace cache ignored beside a data cache", {Leaf2({0x72, 0x68})}, true, 32, -1, -1},
        {"only TLBs", {Leaf2({0x01, 0x02, 0x03, 0x04, 0x50, 0x5B, 0x90})}, true, -1, -1, -1},
        {"unknown byte: all sizes kept", {Leaf2({0x66, 0x60})}, false, 7, 7, 7},
        {"no level 2 is 0", {Leaf2({0x40})}, true, -1, 0, -1},
        {"a size then no level 2", {Leaf2({0x43, 0x40})}, true, -1, 512, -1},
        {"largest size wins", {Leaf2({0x45, 0x41, 0x22, 0x8A, 0x25})}, true, -1, 2048, 8192},
        {"two rounds as AL says", {Leaf2({0x08, 0x0C}, 2), Leaf2({0x29, 0x7C})}, true, 32, 1024, 4096},
        {"unknown byte in the second round", {Leaf2({0x08}, 2), Leaf2({0x60})}, false, 7, 7, 7},
        {"leaf 4 named but absent: the descriptors stand", {Leaf2({0xFF, 0x2C, 0x30, 0x7D, 0xB5})}, true, 64, 2048, -1},
        {"AL of 0 still runs once", {Leaf2({0x0A, 0x15}, 0)}, true, 24, -1, -1},
    };
    for (const ScanCase& c : cases) {
        std::vector<LeafDump> leaves;
        for (const CpuidRegisters& r : c.rounds)
            leaves.push_back({2, r});
        FakeCpu cpu(leaves, false);
        CacheSizes sizes{7, 7, 7};
        EXPECT_EQ(CachesByDescriptors(cpu.Source(), sizes), c.ok) << c.label;
        EXPECT_EQ(sizes.level1, c.level1) << c.label;
        EXPECT_EQ(sizes.level2, c.level2) << c.label;
        EXPECT_EQ(sizes.level3, c.level3) << c.label;
        EXPECT_EQ(cpu.Calls(2), std::max<int>(1, c.rounds.front().eax & 0xFF)) << c.label;
    }
}

TEST(CpuCache, ExtendedLeaves)
{
    const struct {
        const char* label;
        bool has5, has6;
        bool ok;
        int32_t level1, level2;
    } cases[] = {
        {"level 1 only", true, false, true, 128, -1}, {"level 2 only", false, true, true, -1, 256},
        {"neither", false, false, false, -1, -1},
    };
    for (const auto& c : cases) {
        FakeCpu cpu({{0x80000005, {0, 0, 0x40020140, 0x40020140}},
                     {0x80000006, {0, 0, 0x01008140, 0}}},
                    false);
        CacheSizes sizes{5, 5, 5};
        const LeafAvailable available = [&](uint32_t leaf) {
            return leaf == 0x80000005 ? c.has5 : c.has6;
        };
        EXPECT_EQ(CachesByExtendedLeaves(cpu.Source(), available, sizes), c.ok) << c.label;
        EXPECT_EQ(sizes.level1, c.level1) << c.label;
        EXPECT_EQ(sizes.level2, c.level2) << c.label;
        EXPECT_EQ(sizes.level3, -1) << c.label;
    }
}

} // namespace
