#pragma once
// The stacked bar's layout: parts of a whole side by side from the left, each as wide as its share.
// A part of unknown size takes no room and is not drawn; what no known part takes stays empty.
// Free of any window so it is tested natively.
#include <cstdint>
#include <optional>
#include <vector>

namespace controls {

struct StackedSegment {
    int left = 0, right = 0; // pixels; right excluded
    size_t part = 0;         // index into the parts
    bool operator==(const StackedSegment&) const = default;
};

// The scale is the whole, or the known parts' sum where that is larger (figures read at slightly
// different moments). Edges are rounded from the running sum, so segments never overlap or part.
std::vector<StackedSegment> PlanStackedBar(const std::vector<std::optional<uint64_t>>& parts,
                                           std::optional<uint64_t> whole, int width);

} // namespace controls
