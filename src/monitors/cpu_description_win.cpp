#include "monitors/cpu_description_win.h"

#include <windows.h>

#include <cstddef>
#include <vector>

#include "common/registry_key_win.h"

namespace {

namespace r = cache_record;
using Record = SYSTEM_LOGICAL_PROCESSOR_INFORMATION_EX;
// The portable reader walks the records by these offsets: the system's structure must agree on
// every processor this is built for.
static_assert(offsetof(Record, Relationship) == r::kRelationship && offsetof(Record, Size) == r::kSize);
static_assert(offsetof(Record, Cache) + offsetof(CACHE_RELATIONSHIP, Level) == r::kLevel);
static_assert(offsetof(Record, Cache) + offsetof(CACHE_RELATIONSHIP, CacheSize) == r::kCacheSize);
static_assert(offsetof(Record, Cache) + offsetof(CACHE_RELATIONSHIP, Type) == r::kType);
static_assert(sizeof(PROCESSOR_CACHE_TYPE) == 4 && RelationCache == r::kRelationCache);
static_assert(CacheUnified == r::kUnified && CacheInstruction == r::kInstruction && CacheData == r::kData);

std::vector<uint8_t> CacheRecords()
{
    DWORD size = 0;
    GetLogicalProcessorInformationEx(RelationCache, nullptr, &size);
    std::vector<uint8_t> records;
    // The set may grow between the calls: a processor added while running asks for more.
    for (int attempt = 0; attempt < 3 && size > 0; ++attempt) {
        records.resize(size);
        if (GetLogicalProcessorInformationEx(RelationCache, reinterpret_cast<Record*>(records.data()), &size)) {
            records.resize(size);
            return records;
        }
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER)
            break;
    }
    return {};
}

} // namespace

CpuDescription DescribeSystemCpu()
{
    CpuDescription description;
    std::string nameString, identifier;
    CRegistryKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, "Hardware\\Description\\System\\CentralProcessor\\0", KEY_QUERY_VALUE) ==
        ERROR_SUCCESS) {
        key.QueryString(nameString, "ProcessorNameString");
        key.QueryString(identifier, "Identifier");
        DWORD mhz = 0;
        if (key.QueryDword("~MHz", mhz) == ERROR_SUCCESS)
            description.mhz = mhz;
    }
    description.name = DescribedCpuName(nameString, identifier);
    const std::vector<uint8_t> records = CacheRecords();
    ReadCacheRecords(records.data(), records.size(), description);
    return description;
}
