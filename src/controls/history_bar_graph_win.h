#pragma once
// The scrolling bar history of memory use with its caption line.
#include <windows.h>

#include <iterator>
#include <memory>
#include <string>

#include "controls/graph_window_win.h"
#include "controls/history_bar_model.h"
#include "controls/paint_tools_win.h"
#include "controls/picture_backlog.h"

namespace controls {

// The picture's colours; the caption's goes with each step.
struct HistoryBarColours {
    Colour background = kGraphBackground;
    Colour hatch = kHistoryHatchColour;
    Colour bar = kHistoryBarColour;
    Colour references[std::size(kHistoryReferenceLines)] = {
        kHistoryReferenceLines[0].colour, kHistoryReferenceLines[1].colour, kHistoryReferenceLines[2].colour};
};

struct HistoryBarDrawInfo {
    int width = 0, height = 0;
    int lower = 0, upper = 100, position = 0;
    const std::string& caption;
    Colour captionColour = 0;
    HFONT captionFont = nullptr;
};

// What one step of the graph draws.
struct HistoryBarStep {
    int lower = 0, upper = 100, position = 0;
    std::string caption;
    Colour captionColour = 0;
};

// The colours and brushes the picture is drawn with, made once per graph and look.
struct HistoryBarTools {
    explicit HistoryBarTools(const HistoryBarColours& colours = {});
    HistoryBarColours colours;
    win32::UniqueGdi<HBRUSH> hatch;
    PaintTools solid;
};

// A fresh picture: hatched background and the reference lines.
void PaintHistoryBackground(HDC dc, int width, int height, HistoryBarTools& tools);
// Scrolls the picture one step and draws the newest bar, the caption and the reference lines.
void AdvanceHistoryPicture(HDC dc, const HistoryBarDrawInfo& info, HistoryBarTools& tools);

} // namespace controls

class CHistoryBarGraph : public controls::GraphWindow {
public:
    CHistoryBarGraph();

    bool Create(DWORD style, const RECT& rect, HWND parent, int id) override;

    void SetRange(int lower, int upper);
    int SetPos(int value); // the previous position
    int GetPos() const { return position_; }
    void SetCaption(const std::string& text) { caption_ = text; }
    void SetCaptionColor(controls::Colour colour) { captionColour_ = colour; }
    // The caption's font height in pixels (13 at 96 DPI).
    void SetCaptionHeight(int pixels);
    // A new look starts a fresh picture: the bars drawn so far keep their old colours, so they go.
    void SetColours(const controls::HistoryBarColours& colours);

protected:
    void BringPictureUpToDate() override;

private:
    int lower_ = 0, upper_ = 100, position_ = 0;
    std::string caption_;
    controls::Colour captionColour_;
    win32::UniqueGdi<HFONT> captionFont_;
    std::unique_ptr<controls::HistoryBarTools> tools_;
    controls::PictureBacklog<controls::HistoryBarStep> backlog_;
};
