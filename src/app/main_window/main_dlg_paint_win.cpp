// The main window's look: the monitor panel and, widened, the settings panel behind the controls,
// the labels' styles, and every colour from the palette: the window's own, light or dark, or the
// system's while high contrast is on, switched when the user changes any of them; and the tray
// picture's colours for the taskbar.
#include "app/main_window/main_dlg_win.h"

#include <algorithm>
#include <iterator>

#include "app/texts/memory_texts.h"
#include "common/resource_text.h"
#include "memory/memory_cleaner.h"
#include "resources/resource.h"
#include "win32/dialog_texts.h"
#include "win32/dpi.h"

namespace {

using palette::MonitorPalette;

constexpr int kCorner = 15;
// The etched line between the halves, in dialog units. Painted, not a control: a screen reader
// has nothing to say of it.
constexpr RECT kDivider{194, 0, 195, 371};

struct LabelStyle {
    int id;
    controls::Colour MonitorPalette::*background;
    controls::Colour MonitorPalette::*text;
    int height;
    const char* face;
    int weight = FW_NORMAL;
};

constexpr LabelStyle kLabelStyles[] = {
    {IDC_TITLE1, &MonitorPalette::panel, &MonitorPalette::title, 13, "Tahoma", FW_BOLD},
    {IDC_TITLE2, &MonitorPalette::panel, &MonitorPalette::title, 13, "Tahoma", FW_BOLD},
    {IDC_TITLE3, &MonitorPalette::panel, &MonitorPalette::title, 13, "Tahoma", FW_BOLD},
    {IDC_TITLE4, &MonitorPalette::panel, &MonitorPalette::title, 13, "Tahoma", FW_BOLD},
    {IDC_CLEAN_PERCENT, &MonitorPalette::panel, &MonitorPalette::title, 11, "Tahoma"},
    {IDC_CLOCK_TITLE, &MonitorPalette::clockPanel, &MonitorPalette::figure, 11, "Tahoma"},
    {IDC_CLOCK_LINE, &MonitorPalette::clockPanel, &MonitorPalette::figure, 11, "Tahoma"},
    {IDC_CPU_NAME, &MonitorPalette::panel, &MonitorPalette::line, 11, "Tahoma"},
    {IDC_CPU_CLOCK, &MonitorPalette::panel, &MonitorPalette::line, 11, "Tahoma"},
    {IDC_CPU_LOAD, &MonitorPalette::panel, &MonitorPalette::line, 11, "Tahoma"},
    {IDC_PRAM_LINE, &MonitorPalette::panel, &MonitorPalette::line, 11, "Tahoma"},
    {IDC_PAGE_PERCENT, &MonitorPalette::panel, &MonitorPalette::figure, 11, "Tahoma"},
    {IDC_VIRT_PERCENT, &MonitorPalette::panel, &MonitorPalette::figure, 11, "Tahoma"},
    {IDC_PHYS_PERCENT, &MonitorPalette::panel, &MonitorPalette::figure, 11, "Tahoma"},
    {IDC_AXIS75, &MonitorPalette::panel, &MonitorPalette::line, 10, "Tahoma"},
    {IDC_AXIS50, &MonitorPalette::panel, &MonitorPalette::line, 10, "Tahoma"},
    {IDC_AXIS25, &MonitorPalette::panel, &MonitorPalette::line, 10, "Tahoma"},
};

// A rounded panel; its region lives only for this call.
void FillRoundPanel(HDC dc, int left, int top, int right, int bottom, HBRUSH brush)
{
    win32::UniqueGdi<HRGN> region(CreateRoundRectRgn(left, top, right, bottom, kCorner, kCorner));
    if (region && brush)
        FillRgn(dc, region.get(), brush);
}

controls::Colour SystemColour(int index) { return static_cast<controls::Colour>(GetSysColor(index)); }

} // namespace

void CMainDlg::ChoosePalette()
{
    const palette::SystemColours system{SystemColour(COLOR_WINDOW),     SystemColour(COLOR_WINDOWTEXT),
                                        SystemColour(COLOR_BTNFACE),    SystemColour(COLOR_BTNTEXT),
                                        SystemColour(COLOR_HIGHLIGHT),  SystemColour(COLOR_GRAYTEXT)};
    const win32::Look look = WindowLook();
    palette_ = palette::ChooseMonitorPalette(look == win32::Look::HighContrast, look == win32::Look::Dark, system);
}

void CMainDlg::ChooseTrayColours()
{
    std::optional<SchemeColours> scheme;
    if (WindowLook() == win32::Look::HighContrast)
        scheme = SchemeColours{SystemColour(COLOR_WINDOW), SystemColour(COLOR_WINDOWTEXT)};
    trayPainter_.SetLook(win32::TaskbarIsLight(), scheme);
}

void CMainDlg::OnLookChanged()
{
    ApplyPalette();
    ChooseTrayColours();
    RefreshTrayPicture();
}

void CMainDlg::StyleLabels()
{
    static_assert(std::size(kLabelStyles) == std::tuple_size_v<decltype(labels_)>);
    for (size_t i = 0; i < std::size(kLabelStyles); ++i) {
        const LabelStyle& style = kLabelStyles[i];
        CColorStatic& label = labels_[i];
        label.Attach(hwnd(), style.id);
        label.SetBkColor(palette_.*style.background);
        label.SetTextColor(palette_.*style.text);
        label.SetFontHeight(win32::ScaleForDpi(style.height, dpi_));
        label.SetFontWeight(style.weight);
        label.SetFontName(style.face);
    }
    ApplySectionTitles();
    SetItemText(IDC_CLEAN_PERCENT, "0 %");
    MemoryStatus status;
    CMemoryCleaner::SampleStatus(status);
    SetItemText(IDC_AXIS75, AxisLabel(status.totalPhysMB * 0.75));
    SetItemText(IDC_AXIS50, AxisLabel(status.totalPhysMB * 0.5));
    SetItemText(IDC_AXIS25, AxisLabel(status.totalPhysMB * 0.25));
}

void CMainDlg::ApplySectionTitles()
{
    CResourceText texts;
    win32::ApplyTexts(*this, texts.Lookup(), nullptr,
                      {win32::TextItem{IDC_TITLE1, "Title1"}, win32::TextItem{IDC_TITLE2, "Title2"},
                       win32::TextItem{IDC_TITLE3, "Title3"}, win32::TextItem{IDC_TITLE4, "Title4"}});
}

void CMainDlg::ApplyDpiToFonts()
{
    for (size_t i = 0; i < std::size(kLabelStyles); ++i)
        labels_[i].SetFontHeight(win32::ScaleForDpi(kLabelStyles[i].height, dpi_));
    memoryGraph_.SetCaptionHeight(win32::ScaleForDpi(kGraphCaptionHeight, dpi_));
}

void CMainDlg::ApplyPalette()
{
    const MonitorPalette was = palette_;
    ChoosePalette();
    // The system's colours change without high contrast too: the window's own look stays then.
    if (!was.highContrast && !palette_.highContrast && was.dark == palette_.dark)
        return;
    for (size_t i = 0; i < std::size(kLabelStyles); ++i) {
        labels_[i].SetBkColor(palette_.*kLabelStyles[i].background);
        labels_[i].SetTextColor(palette_.*kLabelStyles[i].text);
    }
    const bool cleaning = run_.Busy();
    Label(IDC_TITLE4).SetTextColor(cleaning ? palette_.titleCleaning : palette_.title);
    for (size_t i = 0; i < gauges_.size(); ++i) {
        const bool clean = i + 1 == gauges_.size();
        InitGauge(gauges_[i], gauges_[i].state.upper, clean && cleaning ? palette_.gaugeCleaning : palette_.gaugeLit);
    }
    ApplyPaletteToGraphs();
    RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CMainDlg::ApplyPaletteToGraphs()
{
    cpuGraph_.SetColours(palette_.graphBackground, palette_.graphGrid, palette_.cpuLine);
    controls::HistoryBarColours memory;
    memory.background = palette_.graphBackground;
    memory.hatch = palette_.memoryHatch;
    memory.bar = palette_.memoryBar;
    std::copy(palette_.memoryReferences.begin(), palette_.memoryReferences.end(), std::begin(memory.references));
    memoryGraph_.SetColours(memory);
}

bool CMainDlg::OnPaint()
{
    win32::PaintDc dc(hwnd());
    if (IsIconic(hwnd())) {
        RECT client{};
        GetClientRect(hwnd(), &client);
        FillRect(dc.get(), &client, GetSysColorBrush(COLOR_BTNFACE));
        const int x = (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2;
        const int y = (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2;
        DrawIcon(dc.get(), x, y, windowIcon_.get());
        return true;
    }
    PaintPanels(dc.get());
    return true;
}

void CMainDlg::PaintPanels(HDC dc)
{
    RECT client{};
    GetClientRect(hwnd(), &client);
    const MonitorPalette& p = palette_;
    panelTools_.Fill(dc, client, p.field);
    const RECT& left = expanded_ ? compactClient_ : client;
    if (expanded_) {
        const RECT& full = expandedClient_;
        const int x = RightPanelX(ToBox(full), ToBox(compactClient_));
        FillRoundPanel(dc, x + 20, 10, full.right - 6, full.bottom - 8, panelTools_.Brush(p.settingsShadow));
        FillRoundPanel(dc, x + 18, 8, full.right - 8, full.bottom - 10, panelTools_.Brush(p.settings));
        RECT divider = kDivider;
        MapDialogRect(hwnd(), &divider);
        DrawEdge(dc, &divider, EDGE_ETCHED, BF_LEFT);
    }
    FillRoundPanel(dc, 10, 10, left.right - 8, left.bottom - 8, panelTools_.Brush(p.panelShadow));
    FillRoundPanel(dc, 8, 8, left.right - 10, left.bottom - 10, panelTools_.Brush(p.panel));
}

HBRUSH CMainDlg::OnCtlColor(HDC dc, HWND control, UINT message)
{
    if (message == WM_CTLCOLORSTATIC) {
        if (HBRUSH brush = CColorStatic::ReflectCtlColor(control, dc))
            return brush;
    }
    if (message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX)
        return nullptr;
    // Everything else sits on the settings panel, or draws itself, with the text see-through.
    SetTextColor(dc, controls::ToColorRef(palette_.settingsText));
    SetBkMode(dc, TRANSPARENT);
    return panelTools_.Brush(palette_.settings);
}
