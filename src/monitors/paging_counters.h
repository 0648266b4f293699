#pragma once
// The system's paging counts since it started, as its performance record carries them beside the
// idle time the load meter reads: no call of their own. Each count is 32 bits and wraps.
#include <cstdint>
#include <optional>

struct PagingCounters {
    std::optional<uint32_t> diskPageReads; // pages read from disk to resolve faults: hard faults
    std::optional<uint32_t> softFaults;    // faults resolved from the standby and modified lists
};

// A count of 0 is a count the system does not keep (Wine): no running Windows has faulted no page.
inline PagingCounters PagingCountersOf(uint32_t diskPageReads, uint32_t softFaults)
{
    const auto kept = [](uint32_t count) { return count ? std::optional<uint32_t>(count) : std::nullopt; };
    return {kept(diskPageReads), kept(softFaults)};
}
