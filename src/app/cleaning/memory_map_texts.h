#pragma once
// What the memory window shows of a map, in the interface language: the table's rows and what a
// screen reader hears of the bar. Free of any window, so tested natively.
#include <string>
#include <vector>

#include "memory/memory_map.h"

struct MemoryMapRow {
    int indent = 0;
    int part = -1; // the bar's part it names (MapPart) where the bar draws it: its colour; -1: none
    std::string label, value;
    bool operator==(const MemoryMapRow&) const = default;
};
std::vector<MemoryMapRow> MemoryMapRows(const MemoryMap& map, const TextLookup& text);

// "{0} MB" in whole megabytes, rounded; "not available" for a figure the system does not give.
std::string MegabytesText(Bytes bytes, const TextLookup& text);

// Each part of the bar with its figure, in the bar's order, for a screen reader.
std::string BarDescription(const MemoryMap& map, const TextLookup& text);
