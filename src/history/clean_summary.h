#pragma once
// The last days' cleans in a few figures, automatic and manual apart: what they freed, how much of
// it was in use again within a minute, and what that did to the disk; and whether the automatic
// ones help at all.
#include <cstdint>
#include <optional>
#include <vector>

#include "history/clean_record.h"

struct CleanGroupSummary {
    size_t cleans = 0; // that ran and freed or measured something
    std::optional<int64_t> medianFreedMB;
    std::optional<int32_t> medianSharePercent;
    std::optional<double> medianDiskFactor;
};

struct CleanSummary {
    CleanGroupSummary automatic, manual;
    // Most automatic cleans came back within a minute and made the disk read more.
    bool automaticNotHelping = false;
};

// Records of any order; those that began within `days` before `now` (local time) count.
CleanSummary SummariseCleans(const std::vector<CleanRecord>& records, const LocalTime& now, int days);

// Most of what the clean freed was in use again when its minute ended.
bool CameBack(const CleanRecord& record);
bool IsAutomatic(CleanTrigger trigger);
