#pragma once
// The stacked bar control, attached to a dialog's placeholder: it keeps the parts it was given and
// draws their plan for its size into its back buffer.
#include <windows.h>

#include <optional>
#include <vector>

#include "controls/control_window_win.h"
#include "controls/stacked_bar_draw_win.h"

class CStackedBar : public controls::BufferedControl {
public:
    CStackedBar();
    // True when the parts changed, and with them the picture.
    bool SetParts(std::vector<std::optional<uint64_t>> parts, std::optional<uint64_t> whole);
    // What it draws at its current size, inside its frame.
    std::vector<controls::StackedSegment> Plan() const;

    std::vector<controls::Colour> partColours;
    controls::Colour background = controls::Rgb(255, 255, 255);
    controls::Colour frame = controls::Rgb(128, 128, 128);

protected:
    void Draw(HDC dc, int width, int height) override;

private:
    std::vector<std::optional<uint64_t>> parts_;
    std::optional<uint64_t> whole_;
    controls::PaintTools tools_;
};
