#include "monitors/cpu_description.h"

#include <algorithm>

namespace {

uint32_t Little32(const uint8_t* p)
{
    return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

std::string Trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

} // namespace

std::string DescribedCpuName(const std::string& nameString, const std::string& identifier)
{
    for (const std::string* text : {&nameString, &identifier})
        if (std::string name = Trimmed(*text); !name.empty())
            return name;
    return "Unknown CPU";
}

void ReadCacheRecords(const uint8_t* records, size_t size, CpuDescription& description)
{
    namespace r = cache_record;
    int32_t largest[4][3] = {}; // by level 1..3, then by type; 0 when none
    for (size_t at = 0; size - at >= r::kReadEnd;) {
        const uint8_t* record = records + at;
        const uint32_t recordSize = Little32(record + r::kSize);
        if (recordSize < r::kReadEnd || recordSize > size - at)
            break;
        at += recordSize;
        const uint8_t level = record[r::kLevel];
        const uint32_t type = Little32(record + r::kType);
        if (Little32(record + r::kRelationship) != r::kRelationCache || level < 1 || level > 3 || type > r::kData)
            continue;
        const auto kb = static_cast<int32_t>(Little32(record + r::kCacheSize) / 1024);
        largest[level][type] = std::max(largest[level][type], kb);
    }
    // A unified first level serves data and instructions alike.
    const int32_t level1 = std::max(largest[1][r::kData], largest[1][r::kUnified]) + largest[1][r::kInstruction];
    int32_t* sizes[4] = {nullptr, &description.level1Cache, &description.level2Cache, &description.level3Cache};
    for (int level = 1; level <= 3; ++level) {
        const int32_t kb = level == 1 ? level1 : *std::max_element(largest[level], largest[level] + 3);
        *sizes[level] = kb > 0 ? kb : -1;
    }
}
