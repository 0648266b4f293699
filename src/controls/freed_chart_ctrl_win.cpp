#include "controls/freed_chart_ctrl_win.h"

#include <oleacc.h>

using namespace controls;

CFreedChart::CFreedChart() : ControlWindow(ROLE_SYSTEM_GRAPHIC) {}

void CFreedChart::SetPoints(std::vector<FreedPoint> points, int days)
{
    points_ = std::move(points);
    days_ = days;
    buffer_.Release(); // drawn anew at the next paint
    ShowChange();
}

FreedChartPlan CFreedChart::Plan() const
{
    RECT client{};
    GetClientRect(hwnd(), &client);
    return PlanFreedChart(points_, client.right, client.bottom, days_);
}

void CFreedChart::Paint(HDC target)
{
    if (!buffer_) {
        RECT client{};
        GetClientRect(hwnd(), &client);
        if (!buffer_.Create(hwnd(), client.right, client.bottom))
            return;
        const FreedChartPlan plan = Plan();
        DrawFreedChart(buffer_.dc(), {plan, colours, client.right, client.bottom, &tools_});
    }
    buffer_.CopyTo(target);
}

bool CFreedChart::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    if (msg != WM_SIZE)
        return PaintMessage(msg, wp, result, [this](HDC dc) { Paint(dc); });
    result = Default(msg, wp, lp);
    buffer_.Release();
    return true;
}
