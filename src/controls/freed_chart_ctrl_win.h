#pragma once
// The freed-memory chart control, attached to a dialog's placeholder: it keeps the cleans it was
// given and draws their plan for its size into its back buffer.
#include <windows.h>

#include <vector>

#include "controls/control_window_win.h"
#include "controls/freed_chart_draw_win.h"

class CFreedChart : public controls::BufferedControl {
public:
    CFreedChart();
    void SetPoints(std::vector<controls::FreedPoint> points, int days);
    // What it draws at its current size.
    controls::FreedChartPlan Plan() const;

    controls::FreedChartColours colours;

protected:
    void Draw(HDC dc, int width, int height) override;

private:
    std::vector<controls::FreedPoint> points_;
    int days_ = 7;
    controls::PaintTools tools_;
};
