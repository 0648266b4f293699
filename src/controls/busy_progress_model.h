#pragma once
// The segmented gauge's state and arithmetic: segment layout, the progress fill with its partial
// segment, and the busy motion. Free of any window so it is tested natively.
#include <vector>

namespace controls {

enum BusyProgressMode { kModeBusy = 1, kModeProgress = 2 };
enum BusyMotion { kMotionBounce = 1, kMotionWrapForward = 2, kMotionWrapBackward = 4 };
enum BusyStyle { kStyleSingle = 1, kStyleBlock = 2 };

struct BusyProgressState {
    int segmentCount = 0;
    int direction = 1;
    int position = 0;
    int gap = 1;
    double segmentHeight = 0;
    double segmentWidth = 0;
    int mode = kModeBusy;
    int lower = 0, upper = 100;
    int busyMotion = kMotionBounce;
    int busyStyle = kStyleSingle;
    int blockLength = 5;
    int virtualLength = 0;

    BusyProgressState() = default;
    BusyProgressState(int count, int pos) : segmentCount(count), position(pos), virtualLength(count * 5) {}
};

// Segment width and height for a drawing area of the given size.
void LayoutSegments(BusyProgressState& state, int areaWidth, int areaHeight);
// Back to the start of the current mode and motion.
void ResetBusyProgress(BusyProgressState& state);
// One step of the busy motion.
void BusyStep(BusyProgressState& state);

// How one segment is drawn.
enum class SegmentLook { Normal, Active };
struct SegmentPaint {
    int left = 0, right = 0; // x, whole pixels
    SegmentLook look = SegmentLook::Normal;
    int partialWidth = 0;    // > 0: the segment also gets a partial fill this wide
    bool operator==(const SegmentPaint&) const = default;
};

// Every segment of the current state, left to right. Empty when the state draws no segments
// (an unknown busy style, or a zero-length range or track).
std::vector<SegmentPaint> PlanSegments(const BusyProgressState& state);

} // namespace controls
