#pragma once
// The scrolling load graph on its moving grid.
#include <windows.h>

#include <memory>
#include <vector>

#include "controls/control_window_win.h"
#include "controls/line_graph_series.h"

struct LineGraphDrawInfo {
    RECT client{};
    Colour background = kGraphBackground;
    Colour grid = kGraphGrid;
    int gridPhase = 13;
};

// A fresh picture: background and the full grid.
void PaintLineGraphGrid(HDC dc, const LineGraphDrawInfo& info);
// Scrolls the picture one step, draws the moving grid and one segment of each series.
void AdvanceLineGraphPicture(HDC dc, const LineGraphDrawInfo& info, std::vector<std::unique_ptr<CLineGraphSeries>>& series);

class CLineGraph : public controls::ControlWindow {
public:
    ~CLineGraph() override;

    bool Create(DWORD style, const RECT& rect, HWND parent, int id);
    // A visible child at the rectangle of a placeholder control of `dialog`.
    bool CreateOver(HWND dialog, int placeholderId, int id);

    // Appends a series; returns its index for AddValue.
    int AddSeries(std::unique_ptr<CLineGraphSeries> series);
    void AddValue(int series, int value);
    void Advance();

    void SetBackgroundColor(Colour colour) { info_.background = colour; }
    void SetGridColor(Colour colour) { info_.grid = colour; }
    int GridPhase() const { return info_.gridPhase; }

protected:
    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    std::vector<std::unique_ptr<CLineGraphSeries>> series_;
    controls::BackBuffer buffer_;
    LineGraphDrawInfo info_;
};
