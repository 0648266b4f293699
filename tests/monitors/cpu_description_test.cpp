// The processor as ARM64 Windows describes it, from what real machines show: the registry texts of
// a Windows Dev Kit 2023 (Snapdragon 8cx Gen 3) and a Snapdragon X Elite laptop, and the cache
// records of the X Elite (twelve cores in three clusters, each core with 192 KB of instruction and
// 96 KB of data cache, each cluster sharing 12 MB of level 2, no level 3).
#include "monitors/cpu_description.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

namespace r = cache_record;

// One record as GetLogicalProcessorInformationEx lays it out for one processor group: 56 bytes
// (the group's mask, which is not read, stays zero).
void Add(std::vector<uint8_t>& out, uint8_t level, uint32_t type, uint32_t bytes,
         uint32_t relationship = r::kRelationCache, uint32_t size = 56)
{
    const size_t at = out.size();
    out.resize(at + 56);
    for (const auto& [offset, value] : {std::pair{r::kRelationship, relationship}, {r::kSize, size},
                                       {r::kCacheSize, bytes}, {r::kType, type}})
        for (size_t i = 0; i < 4; ++i)
            out[at + offset + i] = static_cast<uint8_t>(value >> (8 * i));
    out[at + r::kLevel] = level;
}

// The names as the registry holds them; one core's level 1 and the largest shared level 2 from
// the cache records. A walk that meets a record of another kind, a record of no size, one running
// past the end or a cut one keeps what it read before.
TEST(CpuDescription, NamesAndCacheSizesAsTheSystemGivesThem)
{
    const char* identifier = "ARMv8 (64-bit) Family 8 Model D4C Revision   0";
    EXPECT_EQ(DescribedCpuName("Snapdragon (TM) 8cx Gen 3 @ 3.0 GHz", identifier), "Snapdragon (TM) 8cx Gen 3 @ 3.0 GHz");
    EXPECT_EQ(DescribedCpuName(" Snapdragon(R) X Elite - X1E78100 - Qualcomm(R) Oryon(TM) CPU  ", ""),
              "Snapdragon(R) X Elite - X1E78100 - Qualcomm(R) Oryon(TM) CPU");
    EXPECT_EQ(DescribedCpuName("", identifier), identifier);
    EXPECT_EQ(DescribedCpuName(" ", "\t"), "Unknown CPU");

    const auto Sizes = [](const std::vector<uint8_t>& records) {
        CpuDescription d;
        ReadCacheRecords(records.data(), records.size(), d);
        return std::make_tuple(d.level1Cache, d.level2Cache, d.level3Cache);
    };
    std::vector<uint8_t> xElite;
    for (int core = 0; core < 12; ++core) {
        Add(xElite, 1, r::kInstruction, 192 << 10);
        Add(xElite, 1, r::kData, 96 << 10);
    }
    for (int cluster = 0; cluster < 3; ++cluster)
        Add(xElite, 2, r::kUnified, 12 << 20);
    EXPECT_EQ(Sizes(xElite), std::make_tuple(288, 12288, -1));

    std::vector<uint8_t> odd;
    Add(odd, 1, r::kUnified, 64 << 10);
    Add(odd, 3, r::kUnified, 64 << 20, /*RelationProcessorCore*/ 0);
    Add(odd, 3, 3 /*trace*/, 64 << 20);
    std::vector<uint8_t> stalled = odd, overlong = odd, cut = odd;
    Add(stalled, 2, r::kUnified, 1 << 20, r::kRelationCache, 0);
    Add(overlong, 2, r::kUnified, 1 << 20, r::kRelationCache, 57);
    Add(cut, 2, r::kUnified, 1 << 20);
    cut.resize(cut.size() - 40);
    for (const auto* records : {&stalled, &overlong, &cut, &odd})
        EXPECT_EQ(Sizes(*records), std::make_tuple(64, -1, -1));
    EXPECT_EQ(Sizes({}), std::make_tuple(-1, -1, -1));
}

} // namespace
