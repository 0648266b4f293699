#pragma once
// The processor as Windows itself describes it, for processors without CPUID (ARM64): the name
// and clock the firmware leaves in the registry, and the sizes of the system's cache records.
#include <cstddef>
#include <cstdint>
#include <string>

struct CpuDescription {
    std::string name;
    uint32_t mhz = 0; // 0: unknown
    // KB, -1 when unknown. Level 1 is one processor's largest data and instruction caches
    // together; levels 2 and 3 the largest cache of that level, whoever shares it.
    int32_t level1Cache = -1;
    int32_t level2Cache = -1;
    int32_t level3Cache = -1;
};

// The registry's processor name string, else its identifier, without surrounding blanks;
// "Unknown CPU" when both are blank.
std::string DescribedCpuName(const std::string& nameString, const std::string& identifier);

// Where GetLogicalProcessorInformationEx puts what is read of a record, in little-endian bytes.
namespace cache_record {
constexpr size_t kRelationship = 0;
constexpr size_t kSize = 4;
constexpr size_t kLevel = 8;
constexpr size_t kCacheSize = 12;
constexpr size_t kType = 16;
constexpr size_t kReadEnd = 20;
constexpr uint32_t kRelationCache = 2;
constexpr uint32_t kUnified = 0, kInstruction = 1, kData = 2;
} // namespace cache_record

// Takes the cache sizes from the records of RelationCache. A record that does not fit the
// buffer ends the walk; what came before it counts.
void ReadCacheRecords(const uint8_t* records, size_t size, CpuDescription& description);
