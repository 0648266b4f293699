#include "controls/stacked_bar_ctrl_win.h"

#include <oleacc.h>

using namespace controls;

CStackedBar::CStackedBar() : BufferedControl(ROLE_SYSTEM_GRAPHIC) {}

bool CStackedBar::SetParts(std::vector<std::optional<uint64_t>> parts, std::optional<uint64_t> whole)
{
    if (parts == parts_ && whole == whole_)
        return false;
    parts_ = std::move(parts);
    whole_ = whole;
    Redraw();
    return true;
}

std::vector<StackedSegment> CStackedBar::Plan() const
{
    RECT client{};
    GetClientRect(hwnd(), &client);
    return PlanStackedBar(parts_, whole_, client.right - 2);
}

void CStackedBar::Draw(HDC dc, int width, int height)
{
    const std::vector<StackedSegment> plan = Plan();
    DrawStackedBar(dc, {plan, partColours, background, frame, width, height, &tools_});
}
