#include "controls/line_graph_win.h"

namespace controls {

namespace {

void DrawLine(HDC dc, int x1, int y1, int x2, int y2)
{
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

} // namespace

void PaintLineGraphGrid(HDC dc, const LineGraphDrawInfo& info, PaintTools& tools)
{
    const RECT& c = info.client;
    tools.Fill(dc, c, info.background);
    win32::SelectObjectScope usePen(dc, tools.Pen(info.grid));
    for (int x = c.left - 1; x < c.right; x += kLineGraphGrid)
        DrawLine(dc, x, c.top, x, c.bottom);
    for (int y = c.top - 1; y < c.bottom; y += kLineGraphGrid)
        DrawLine(dc, c.left, y, c.right, y);
}

void AdvanceLineGraphPicture(HDC dc, const LineGraphDrawInfo& info, const LineGraphStep& step,
                             const std::vector<std::unique_ptr<CLineGraphSeries>>& series, PaintTools& tools)
{
    const RECT& c = info.client;
    const int width = c.right - c.left, height = c.bottom - c.top;
    tools.Fill(dc, RECT{c.right - kLineGraphStep, c.top, c.right, c.bottom}, info.background);
    BitBlt(dc, c.left, c.top, width - kLineGraphStep, height, dc, c.left + kLineGraphStep, c.top, SRCCOPY);
    {
        win32::SelectObjectScope usePen(dc, tools.Pen(info.grid));
        const int x = MovingGridLineX(c.right, step.gridPhase);
        DrawLine(dc, x, c.top, x, c.bottom);
        for (int y = c.top - 1; y < c.bottom; y += kLineGraphGrid)
            DrawLine(dc, c.right - 6, y, c.right, y);
    }
    for (size_t i = 0; i < series.size() && i < step.segments.size(); ++i) {
        const CLineGraphSeries& s = *series[i];
        win32::SelectObjectScope usePen(dc, tools.Pen(s.GetColour(), s.PenWidth()));
        DrawLine(dc, c.right - 14, step.segments[i].fromY, c.right - 11, step.segments[i].toY);
    }
}

} // namespace controls

using namespace controls;

CLineGraph::~CLineGraph()
{
    while (!series_.empty())
        series_.pop_back(); // last first
}

bool CLineGraph::Create(DWORD style, const RECT& rect, HWND parent, int id)
{
    if (!CreateOwned(WS_EX_CLIENTEDGE, controls::RegisterControlClass("TidewellLineGraph"), "", style, rect, parent, id))
        return false;
    GetClientRect(hwnd(), &info_.client);
    if (!buffer_.Create(hwnd(), info_.client.right, info_.client.bottom))
        return false;
    PaintLineGraphGrid(buffer_.dc(), info_, tools_);
    backlog_.SetLimit(StepsAcross(info_.client.right, kLineGraphStep));
    for (auto& s : series_)
        s->ResetLevel(info_.client.bottom);
    return true;
}

void CLineGraph::SetColours(Colour background, Colour grid, Colour firstSeries)
{
    info_.background = background;
    info_.grid = grid;
    if (!series_.empty())
        series_.front()->SetColour(firstSeries);
    if (!buffer_ || !hwnd())
        return;
    backlog_.Drain([](const LineGraphStep&) {});
    PaintLineGraphGrid(buffer_.dc(), info_, tools_);
    for (auto& s : series_)
        s->ResetLevel(info_.client.bottom);
    DrawChange();
}

int CLineGraph::AddSeries(std::unique_ptr<CLineGraphSeries> series)
{
    series->ResetLevel(info_.client.bottom);
    series_.push_back(std::move(series));
    return static_cast<int>(series_.size()) - 1;
}

void CLineGraph::AddValue(int series, int value)
{
    if (series >= 0 && series < static_cast<int>(series_.size()))
        series_[series]->AddValue(value);
}

void CLineGraph::Advance()
{
    if (!buffer_ || !hwnd())
        return;
    info_.gridPhase = NextGridPhase(info_.gridPhase);
    LineGraphStep step{info_.gridPhase, {}};
    step.segments.reserve(series_.size());
    for (auto& s : series_)
        step.segments.push_back(s->Advance(info_.client.bottom));
    backlog_.Add(std::move(step));
    DrawChange();
}

void CLineGraph::BringPictureUpToDate()
{
    backlog_.Drain([this](const LineGraphStep& step) {
        AdvanceLineGraphPicture(buffer_.dc(), info_, step, series_, tools_);
    });
}
