#include "controls/busy_progress_model.h"

#include <algorithm>

namespace controls {

void LayoutSegments(BusyProgressState& state, int areaWidth, int areaHeight)
{
    state.segmentHeight = areaHeight;
    state.segmentWidth = state.segmentCount > 0
        ? static_cast<double>(areaWidth - state.segmentCount * state.gap) / state.segmentCount
        : 0;
}

void ResetBusyProgress(BusyProgressState& state)
{
    if (state.mode == kModeBusy && state.busyMotion == kMotionWrapBackward) {
        state.position = state.busyStyle == kStyleBlock ? state.virtualLength : state.segmentCount;
        state.direction = -1;
    } else {
        state.position = 0;
        state.direction = 1;
    }
}

namespace {

int TrackLength(const BusyProgressState& state)
{
    if (state.mode != kModeBusy)
        return 0;
    if (state.busyStyle == kStyleSingle)
        return state.segmentCount;
    if (state.busyStyle == kStyleBlock)
        return state.virtualLength;
    return 0;
}

} // namespace

void BusyStep(BusyProgressState& state)
{
    if (state.mode == kModeBusy) {
        const int track = TrackLength(state);
        switch (state.busyMotion) {
        case kMotionBounce:
            if (state.position + 1 == track)
                state.direction = -1;
            if (state.position == 0)
                state.direction = 1;
            break;
        case kMotionWrapForward:
            if (state.position + 1 == track)
                state.position = -1;
            break;
        case kMotionWrapBackward:
            if (state.position == 0)
                state.position = track;
            break;
        default:
            break;
        }
    }
    state.position += state.direction;
}

std::vector<SegmentPaint> PlanSegments(const BusyProgressState& state)
{
    std::vector<SegmentPaint> plan;
    const bool single = state.mode == kModeBusy && state.busyStyle == kStyleSingle;
    const bool filled = state.mode == kModeProgress || (state.mode == kModeBusy && state.busyStyle == kStyleBlock);
    if (!single && !filled)
        return plan;

    // Fill fraction in segments, and the last fully active segment.
    double fill = 0;
    if (filled) {
        const double length = state.mode == kModeProgress
            ? static_cast<double>(state.upper) - state.lower
            : static_cast<double>(state.virtualLength);
        if (length <= 0)
            return plan; // nothing to divide by: no bar
        const double value = state.mode == kModeProgress
            ? static_cast<double>(state.position) - state.lower
            : static_cast<double>(state.position);
        fill = std::clamp(value / length * state.segmentCount, 0.0, static_cast<double>(state.segmentCount));
    }
    const int lastActive = static_cast<int>(fill) - 1;
    const int partial = static_cast<int>((fill - 1 - lastActive) * state.segmentWidth);

    double edge = 0;
    for (int i = 0; i < state.segmentCount; ++i) {
        SegmentPaint segment;
        segment.left = static_cast<int>(edge);
        segment.right = static_cast<int>(edge + state.segmentWidth);
        if (single)
            segment.look = i == state.position ? SegmentLook::Active : SegmentLook::Normal;
        else {
            segment.look = i <= lastActive ? SegmentLook::Active : SegmentLook::Normal;
            if (i == lastActive + 1 && partial > 0)
                segment.partialWidth = partial;
        }
        plan.push_back(segment);
        edge += state.gap + state.segmentWidth;
    }
    return plan;
}

} // namespace controls
