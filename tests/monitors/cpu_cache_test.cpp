#include "monitors/cpu_cache.h"

#include "monitors/fake_cpu.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <tuple>

namespace {

// Leaf 2 with its descriptor bytes in scan order (EAX bytes 1 to 3, EBX, ECX, EDX); AL = rounds.
LeafDump Leaf2(std::initializer_list<uint8_t> bytes, uint8_t rounds = 1)
{
    uint32_t regs[4] = {rounds, 0, 0, 0};
    int position = 1;
    for (uint8_t b : bytes) {
        regs[position / 4] |= static_cast<uint32_t>(b) << (8 * (position % 4));
        ++position;
    }
    return {2, {regs[0], regs[1], regs[2], regs[3]}};
}

TEST(CpuCache, DescriptorScan)
{
    const struct {
        const char* label;
        std::vector<LeafDump> leaves;
        bool ok;
        int32_t level1, level2, level3;
    } cases[] = {
        {"trace cache alone stands for level 1", {Leaf2({0x70})}, true, 12, -1, -1},
        {"only TLBs", {Leaf2({0x01, 0x02, 0x03, 0x04, 0x50, 0x5B, 0x90})}, true, -1, -1, -1},
        {"unknown byte: all sizes kept", {Leaf2({0x66, 0x60})}, false, 7, 7, 7},
        {"no level 2 is 0", {Leaf2({0x40})}, true, -1, 0, -1},
        {"a size, then no level 2", {Leaf2({0x43, 0x40})}, true, -1, 512, -1},
        {"largest size wins", {Leaf2({0x45, 0x41, 0x22, 0x8A, 0x25})}, true, -1, 2048, 8192},
        {"two rounds as AL says", {Leaf2({0x08, 0x0C}, 2), Leaf2({0x29, 0x7C})}, true, 32, 1024, 4096},
        {"unknown byte in the second round", {Leaf2({0x08}, 2), Leaf2({0x60})}, false, 7, 7, 7},
        {"leaf 4 named but absent: the descriptors stand", {Leaf2({0xFF, 0x2C, 0x30, 0x7D, 0xB5})}, true, 64, 2048, -1},
        {"leaf 4 sizes win",
         {Leaf2({0xFF, 0x7D}), {0, {4}}, {4, {0x121, 0x01C0003F, 0x3F}}, {4, {0x143, 0x00C0003F, 0x3FF}, 1},
          {4, {0x163, 0x03C0003F, 0x2FFF}, 2}},
         true, 32, 256, 12288},
    };
    for (const auto& c : cases) {
        FakeCpu cpu(c.leaves);
        CacheSizes sizes{7, 7, 7};
        EXPECT_EQ(CachesByDescriptors(cpu.Source(), sizes), c.ok) << c.label;
        EXPECT_EQ(std::make_tuple(sizes.level1, sizes.level2, sizes.level3),
                  std::make_tuple(c.level1, c.level2, c.level3))
            << c.label;
        EXPECT_EQ(cpu.Calls(2), std::max<int>(1, c.leaves.front().regs.eax & 0xFF)) << c.label;
    }
}

TEST(CpuCache, EitherExtendedLeafIsEnough)
{
    FakeCpu cpu({{0x80000005, {0, 0, 0x40020140, 0x40020140}}, {0x80000006, {0, 0, 0x01008140, 0}}});
    CacheSizes level1{5, 5, 5}, level2{5, 5, 5}, neither;
    EXPECT_TRUE(CachesByExtendedLeaves(cpu.Source(), [](uint32_t leaf) { return leaf == 0x80000005; }, level1));
    EXPECT_TRUE(CachesByExtendedLeaves(cpu.Source(), [](uint32_t leaf) { return leaf == 0x80000006; }, level2));
    EXPECT_FALSE(CachesByExtendedLeaves(cpu.Source(), [](uint32_t) { return false; }, neither));
    EXPECT_EQ(std::make_tuple(level1.level1, level1.level2, level1.level3, level2.level1, level2.level2),
              std::make_tuple(128, -1, -1, -1, 256));
}

} // namespace
