#pragma once
// The minute after a clean: how much of the memory it freed was in use again, and how often the
// system read pages from disk or took them back from its lists, against the minute before it. The
// display tick's figures are read anyway; this only keeps some of them, and the clean's record
// waits here until its minute is over.
#include <array>
#include <cstdint>
#include <optional>

#include "history/clean_record.h"
#include "monitors/paging_counters.h"

constexpr uint32_t kFollowUpMs = 60 * 1000;

// Counts per minute; none where the system keeps no such count or the span was too short to tell.
struct PagingRates {
    std::optional<uint32_t> diskReads, softFaults;
};
PagingRates RatesBetween(const PagingCounters& from, const PagingCounters& to, uint32_t spanMs);

// The display tick's recent paging counts: room for the minute before a clean that took another.
class PagingMinutes {
public:
    void Add(uint32_t nowMs, const PagingCounters& counters);
    // The rates over the minute, or as much of it as was kept, that ended at endMs.
    PagingRates MinuteBefore(uint32_t endMs) const;

private:
    struct Sample {
        uint32_t ms = 0;
        PagingCounters counters;
    };
    std::array<Sample, 300> samples_{};
    size_t next_ = 0, count_ = 0;
};

// One clean's record on its way to the history. Every call comes from the window's thread.
class CleanFollowUp {
public:
    // A clean ended at endMs: its record waits for its minute. One still waiting is ended by it
    // and comes back, to be written first.
    std::optional<CleanRecord> Begin(CleanRecord record, uint32_t endMs, const PagingRates& minuteBefore);
    // Each display tick: the record, once its minute is over or the ticks stopped for a while.
    std::optional<CleanRecord> Tick(uint32_t nowMs, uint64_t availBytes, const PagingCounters& counters);
    // The record as far as it was measured (the exit, or another clean beginning).
    std::optional<CleanRecord> End(FollowUpEnd why);
    // The record still being measured.
    const CleanRecord* Waiting() const { return waiting_ ? &*waiting_ : nullptr; }

private:
    struct Reading {
        uint32_t ms = 0;
        uint64_t availBytes = 0;
        PagingCounters counters;
    };

    std::optional<CleanRecord> waiting_;
    uint32_t endMs_ = 0;
    std::optional<Reading> first_, last_;
};

// Percent of the freed memory in use again when the measurement ended, 0 to 100; none when the
// clean freed nothing or the minute was not measured.
std::optional<int32_t> ShareBackPercent(const CleanRecord& record);
// Disk reads in the minute after against the minute before, as a factor; none without both, or
// when the minute before read nothing.
std::optional<double> DiskReadsFactor(const CleanRecord& record);
// Memory the clean freed and memory in use again, in bytes; none where the figures are missing.
std::optional<uint64_t> FreedBytes(const CleanRecord& record);
std::optional<uint64_t> BackBytes(const CleanRecord& record);
