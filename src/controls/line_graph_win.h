#pragma once
// The scrolling load graph on its moving grid.
#include <windows.h>

#include <memory>
#include <vector>

#include "controls/graph_window_win.h"
#include "controls/line_graph_series.h"
#include "controls/paint_tools_win.h"
#include "controls/picture_backlog.h"

namespace controls {

struct LineGraphDrawInfo {
    RECT client{};
    Colour background = kGraphBackground;
    Colour grid = kGraphGrid;
    int gridPhase = 13;
};

// What one step of the graph draws: the grid at its phase and one segment of each series.
struct LineGraphStep {
    int gridPhase = 13;
    std::vector<LineStep> segments; // in the order of the series
};

// A fresh picture: background and the full grid.
void PaintLineGraphGrid(HDC dc, const LineGraphDrawInfo& info, PaintTools& tools);
// Scrolls the picture one step, draws the moving grid and one segment of each series.
void AdvanceLineGraphPicture(HDC dc, const LineGraphDrawInfo& info, const LineGraphStep& step,
                             const std::vector<std::unique_ptr<CLineGraphSeries>>& series, PaintTools& tools);

} // namespace controls

class CLineGraph : public controls::GraphWindow {
public:
    ~CLineGraph() override;

    bool Create(DWORD style, const RECT& rect, HWND parent, int id) override;

    // Appends a series; returns its index for AddValue.
    int AddSeries(std::unique_ptr<CLineGraphSeries> series);
    void AddValue(int series, int value);
    void Advance();

    void SetBackgroundColor(controls::Colour colour) { info_.background = colour; }
    void SetGridColor(controls::Colour colour) { info_.grid = colour; }
    // A new look starts a fresh picture, the lines from the bottom: what was drawn keeps its old
    // colours, so it goes.
    void SetColours(controls::Colour background, controls::Colour grid, controls::Colour firstSeries);
    int GridPhase() const { return info_.gridPhase; }

protected:
    void BringPictureUpToDate() override;

private:
    std::vector<std::unique_ptr<CLineGraphSeries>> series_;
    controls::LineGraphDrawInfo info_;
    controls::PaintTools tools_;
    controls::PictureBacklog<controls::LineGraphStep> backlog_;
};
