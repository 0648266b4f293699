#include "controls/freed_chart_ctrl_win.h"

#include <oleacc.h>

using namespace controls;

CFreedChart::CFreedChart() : BufferedControl(ROLE_SYSTEM_GRAPHIC) {}

void CFreedChart::SetPoints(std::vector<FreedPoint> points, int days)
{
    points_ = std::move(points);
    days_ = days;
    Redraw();
}

FreedChartPlan CFreedChart::Plan() const
{
    RECT client{};
    GetClientRect(hwnd(), &client);
    return PlanFreedChart(points_, client.right, client.bottom, days_);
}

void CFreedChart::Draw(HDC dc, int width, int height)
{
    const FreedChartPlan plan = Plan();
    DrawFreedChart(dc, {plan, colours, width, height, &tools_});
}
