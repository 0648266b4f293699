#include "controls/line_graph_series.h"

#include <numeric>
#include <utility>

using controls::Colour;
using controls::LineStep;

CLineGraphSeries::CLineGraphSeries(std::string name, Colour colour, int penWidth, int lower, int upper)
    : name_(std::move(name)), colour_(colour), penWidth_(penWidth), span_(upper - lower + 1), offset_(lower - 1)
{
    pending_.reserve(10);
}

void CLineGraphSeries::AddValue(int value)
{
    pending_.push_back(static_cast<long long>(value) - offset_);
}

void CLineGraphSeries::ResetLevel(int bottom)
{
    currentY_ = previousY_ = bottom + 1;
}

LineStep CLineGraphSeries::Advance(int bottom)
{
    long long average = 0;
    if (!pending_.empty()) {
        average = std::accumulate(pending_.begin(), pending_.end(), 0LL) / static_cast<long long>(pending_.size());
        pending_.clear();
    }
    if (average != 0 && span_ != 0)
        currentY_ = static_cast<int>(bottom - average * bottom / span_);
    if (previousY_ == bottom + 1)
        previousY_ = currentY_;
    const LineStep step{previousY_, currentY_};
    previousY_ = currentY_;
    return step;
}

namespace controls {

int NextGridPhase(int phase)
{
    phase -= kLineGraphStep;
    return phase < 0 ? phase + kLineGraphGrid : phase;
}

int MovingGridLineX(int right, int phase)
{
    return right - ((right - phase) % kLineGraphGrid + 1);
}

} // namespace controls
