#include "controls/history_bar_graph_win.h"

#include "win32/utf16.h"

namespace controls {

namespace {

void FillHatched(HDC dc, const RECT& area, HistoryBarTools& tools)
{
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, ToColorRef(tools.colours.background));
    FillRect(dc, &area, tools.hatch.get());
}

void DrawReferenceLines(HDC dc, int width, HistoryBarTools& tools)
{
    for (size_t i = 0; i < std::size(kHistoryReferenceLines); ++i) {
        const int row = kHistoryReferenceLines[i].row;
        tools.solid.Fill(dc, RECT{0, row, width, row + 1}, tools.colours.references[i]);
    }
}

} // namespace

HistoryBarTools::HistoryBarTools(const HistoryBarColours& look)
    : colours(look), hatch(CreateHatchBrush(HS_HORIZONTAL, ToColorRef(look.hatch)))
{
}

void PaintHistoryBackground(HDC dc, int width, int height, HistoryBarTools& tools)
{
    FillHatched(dc, RECT{0, 0, width, height}, tools);
    DrawReferenceLines(dc, width, tools);
}

void AdvanceHistoryPicture(HDC dc, const HistoryBarDrawInfo& info, HistoryBarTools& tools)
{
    const int right = info.width, bottom = info.height;
    BitBlt(dc, 0, 0, right - kHistoryScrollStep, bottom, dc, kHistoryScrollStep, 0, SRCCOPY);
    FillHatched(dc, RECT{right - kHistoryScrollStep, 0, right, bottom}, tools);

    const int bar = HistoryBarHeight(info.position, info.lower, info.upper, bottom);
    if (bar > 0)
        tools.solid.Fill(dc, RECT{right - kHistoryScrollStep, bottom - bar, right - kHistoryScrollStep + kHistoryBarWidth, bottom},
                         tools.colours.bar);

    if (!info.caption.empty()) {
        win32::SelectObjectScope font(dc, info.captionFont);
        SetTextColor(dc, ToColorRef(info.captionColour));
        const std::wstring caption = win32::Utf16(info.caption);
        TextOutW(dc, 0, 1, caption.c_str(), static_cast<int>(caption.size()));
    }
    DrawReferenceLines(dc, right, tools);
}

} // namespace controls

using namespace controls;

CHistoryBarGraph::CHistoryBarGraph()
    : captionColour_(static_cast<Colour>(GetSysColor(COLOR_WINDOWTEXT))), tools_(std::make_unique<HistoryBarTools>())
{
    SetCaptionHeight(13);
}

void CHistoryBarGraph::SetColours(const HistoryBarColours& colours)
{
    tools_ = std::make_unique<HistoryBarTools>(colours);
    if (!buffer_)
        return;
    backlog_.Drain([](const HistoryBarStep&) {});
    PaintHistoryBackground(buffer_.dc(), buffer_.width(), buffer_.height(), *tools_);
    DrawChange();
}

void CHistoryBarGraph::SetCaptionHeight(int pixels)
{
    // Only a picture step selects the font, while it is drawn, so the old one can go at once.
    captionFont_.reset(CreateFontA(pixels, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                   OUT_CHARACTER_PRECIS, CLIP_CHARACTER_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                                   "Tahoma"));
}

bool CHistoryBarGraph::Create(DWORD style, const RECT& rect, HWND parent, int id)
{
    return CreateOwned(WS_EX_CLIENTEDGE, controls::RegisterControlClass("TidewellHistoryBarGraph"), "", style, rect,
                       parent, id);
}

void CHistoryBarGraph::SetRange(int lower, int upper)
{
    lower_ = lower;
    upper_ = upper;
    if (!buffer_ && hwnd()) {
        RECT client;
        GetClientRect(hwnd(), &client);
        if (buffer_.Create(hwnd(), client.right, client.bottom)) {
            PaintHistoryBackground(buffer_.dc(), client.right, client.bottom, *tools_);
            backlog_.SetLimit(StepsAcross(client.right, kHistoryScrollStep));
            DrawChange();
        }
    }
}

int CHistoryBarGraph::SetPos(int value)
{
    const int previous = position_;
    position_ = ClampToRange(value, lower_, upper_);
    if (buffer_ && hwnd()) {
        backlog_.Add(HistoryBarStep{lower_, upper_, position_, caption_, captionColour_});
        DrawChange();
    }
    return previous;
}

void CHistoryBarGraph::BringPictureUpToDate()
{
    backlog_.Drain([this](const HistoryBarStep& step) {
        AdvanceHistoryPicture(buffer_.dc(),
                              {buffer_.width(), buffer_.height(), step.lower, step.upper, step.position, step.caption,
                               step.captionColour, captionFont_.get()},
                              *tools_);
    });
}
