#pragma once
// One line of the load graph: its range, its pending values and the rows of its last segment.
// The graph draws it with a pen of its colour and width.
#include <string>
#include <vector>

#include "controls/colour.h"

namespace controls {

// A line segment to draw, from (x - 3 at fromY) to (x at toY) relative to the graph's right edge.
struct LineStep {
    int fromY = 0;
    int toY = 0;
};

} // namespace controls

class CLineGraphSeries {
public:
    CLineGraphSeries(std::string name, controls::Colour colour, int penWidth, int lower, int upper);

    const std::string& Name() const { return name_; }
    controls::Colour GetColour() const { return colour_; }
    void SetColour(controls::Colour colour) { colour_ = colour; }
    int PenWidth() const { return penWidth_; }

    void AddValue(int value);
    // Both rows just below a graph whose bottom row is `bottom`: the next segment starts at its
    // own level.
    void ResetLevel(int bottom);
    // Averages and empties the pending values and gives the next segment. With no value pending
    // the line continues at its last level.
    controls::LineStep Advance(int bottom);

private:
    std::string name_;
    controls::Colour colour_;
    int penWidth_;
    int span_;   // upper - lower + 1
    int offset_; // lower - 1: stored values start at 1, so 0 means "none added"
    int currentY_ = 0;
    int previousY_ = 0;
    std::vector<long long> pending_;
};

namespace controls {

inline constexpr int kLineGraphStep = 3;
inline constexpr int kLineGraphGrid = 13;

// The moving grid line's phase after one advance: 13, 10, 7, 4, 1, 11, 8, ...
int NextGridPhase(int phase);
// x of the moving vertical grid line for a graph whose right edge is `right`.
int MovingGridLineX(int right, int phase);

} // namespace controls
