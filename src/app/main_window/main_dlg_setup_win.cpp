// The main window's construction, initialisation, texts, controls and geometry.
#include "app/main_window/main_dlg_win.h"

#include "app/settings/autostart_win.h"

#include <commctrl.h>

#include <cstdio>

#include "app/cleaning/cleaning_rules.h"
#include "app/texts/memory_texts.h"
#include "app/texts/processor_texts.h"
#include "app/settings/program_arguments.h"
#include "app/settings/settings_win.h"
#include "common/policy_controls_win.h"
#include "common/resource_text.h"
#include "common/setting_store_win.h"
#include "common/spoken_text.h"
#include "common/windows_family_win.h"
#include "memory/clean_state.h"
#include "memory/memory_cleaner.h"
// ARM64 has no CPUID: there the system's own description of the processor stands in.
#if defined(__aarch64__) || defined(_M_ARM64)
#define TIDEWELL_CPU_DESCRIBED 1
#include "monitors/cpu_clock.h"
#include "monitors/cpu_description_win.h"
#else
#include "monitors/cpu_brand.h"
#include "monitors/cpu_clock_win.h"
#include "monitors/cpu_info.h"
#include "monitors/cpu_probe_win.h"
#endif
#include "resources/resource.h"
#include "tools/startup/delay_launcher_win.h"
#include "win32/common_controls.h"
#include "win32/dialog_texts.h"
#include "win32/dpi.h"
#include "win32/program_name.h"

namespace {

constexpr int kGaugeIds[] = {IDC_PHYS_GAUGE, IDC_PAGE_GAUGE, IDC_VIRT_GAUGE, IDC_CLEAN_GAUGE};

std::string MeasureClockText()
{
#if defined(TIDEWELL_CPU_DESCRIBED)
    return FormatClockText(DescribeSystemCpu().mhz);
#else
    if (!IsWindows9x())
        return GetCpuClockText();
    CCpuInfo cpu(SystemCpuProbe());
    cpu.Identify();
    char text[32];
    std::snprintf(text, sizeof(text), "%d MHZ", static_cast<int>(cpu.GetClockMHz()));
    return text;
#endif
}

RECT WindowRect(HWND hwnd)
{
    RECT r{};
    GetWindowRect(hwnd, &r);
    return r;
}

RECT ClientRect(HWND hwnd)
{
    RECT r{};
    GetClientRect(hwnd, &r);
    return r;
}

} // namespace

BOOL CMainDlg::OnInit()
{
    dpi_ = win32::WindowDpi(hwnd());
    ChoosePalette();
    WriteControls();
    SendMessageA(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(windowIcon_.get()));
    SendMessageA(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(windowIcon_.get()));
    EnableItem(IDC_BUTTONSAVERAM, false);
    SetCleanBusy(false);

    SetTimer(hwnd(), kDisplayTimer, kDisplayMs, nullptr);
    SetUpSlider();
    win32::UpDown(Item(IDC_ALERT_SPIN)).SetRange(kAlertMin, kAlertMax);
    SetUpGauges();

    cpuGraph_.CreateOver(hwnd(), IDC_CPUGRAPH_PLACE, IDC_CPUGRAPH);
    cpuSeries_ = cpuGraph_.AddSeries(std::make_unique<CLineGraphSeries>("CPU", palette_.cpuLine, 1, -5, 100));

    StyleLabels();
    LetTickLabelsAsk();
    if (dpi_ != win32::kDesignDpi)
        ApplyDpiToGlyphs(); // the template's glyphs are drawn for 96 DPI
    SetUpProcessorLines();
    memoryGraph_.CreateOver(hwnd(), IDC_MEMGRAPH_PLACE, IDC_MEMGRAPH);
    memoryGraph_.SetCaptionColor(palette_.gaugeCleaning);
    memoryGraph_.SetCaptionHeight(win32::ScaleForDpi(kGraphCaptionHeight, dpi_));
    ApplyPaletteToGraphs();

    LoadTickTexts(); // the first figures already carry their captions
    {
        // The tray keeps its own copy of the picture.
        RefreshMemoryFigures();
        MemoryStatus status;
        CMemoryCleaner::SampleStatus(status);
        ChooseTrayColours();
        win32::UniqueIcon picture(trayPainter_.Build(hwnd(), status, win32::SmallIconSize()));
        tray_.Create(hwnd(), WM_TRAY_NOTIFY, win32::kProgramName, picture.get(), IDR_TRAY_MENU);
    }
    ShowPolicies(*this, ReadPolicies()); // its line is in the right half
    SetUpGeometry();
    ApplyControlTexts();
    DescribeControls();
    SetUpAutostartBox();
    SetUpUserType();
    SetUpLanguages();
    SetUpHotkey();
    SetUpStartState();
    OpenRequests();
    return TRUE;
}

void CMainDlg::SetUpAutostartBox()
{
    FollowAutostartPolicy(ProgramPath());
    autostartPlace_ = AutostartPlace(ProgramPath());
    if (autostartPlace_ == PlaceVerdict::Protected)
        return;
    EnableItem(IDC_CHECKAUTORUN, false);
    SetItemText(IDC_CHECKAUTORUN, UiText("strAutorunNotHere"));
}

void CMainDlg::SetUpSlider()
{
    MemoryStatus status;
    CMemoryCleaner::SampleStatus(status);
    fields_.sliderMin = MegabyteLabel(status.totalPhysMB / 8);
    fields_.sliderMax = MegabyteLabel(status.totalPhysMB);
    const SetUpSettings stored = ReadSetUpSettings(MeasureClockText);
    const win32::Trackbar slider(Item(IDC_AMOUNT_SLIDER));
    slider.SetRange(1, 8);
    slider.SetPosition(stored.sliderPos);
    EnableItem(IDC_AMOUNT_SLIDER, false);
    UpdateAmountLabel();
    WriteControls();
    cpuClock_ = stored.cpuMhz;
    userType_ = stored.userType;
    showStatus_ = stored.showStatus;
}

void CMainDlg::SetUpGauges()
{
    MemoryStatus status;
    CMemoryCleaner::SampleStatus(status);
    for (size_t i = 0; i < gauges_.size(); ++i) {
        gauges_[i].Attach(hwnd(), kGaugeIds[i]);
        const bool clean = kGaugeIds[i] == IDC_CLEAN_GAUGE;
        InitGauge(gauges_[i], clean ? kCleanGaugeMax : status.totalPhysMB, palette_.gaugeLit);
    }
}

void CMainDlg::SetUpProcessorLines()
{
    CResourceText texts;
    const std::string title = texts.Text("TitleCPU1"), countText = texts.Text("strCPUNumber");
    SYSTEM_INFO system{};
    GetSystemInfo(&system);
    const int count = static_cast<int>(system.dwNumberOfProcessors);
#if defined(TIDEWELL_CPU_DESCRIBED)
    const CpuDescription described = DescribeSystemCpu();
    const std::string brand = described.name;
    const auto identify = [&] { return IdentifiedCpu{described.name, described.level2Cache}; };
#else
    const std::string brand = TrimLeadingBlanks(GetCpuBrandName());
    const auto identify = [] {
        CCpuInfo cpu(SystemCpuProbe());
        cpu.Identify();
        return IdentifiedCpu{cpu.GetName(), cpu.GetCacheSize(CCpuInfo::kLevel2Selector)};
    };
#endif
    SetItemText(IDC_CPU_NAME, ProcessorNameLine(title, brand, countText, count));
    const std::string name = ChooseProcessorName(brand, identify);
    SetItemText(IDC_CPU_NAME, ProcessorNameLine(title, name, countText, count));
    SetItemText(IDC_CPU_CLOCK, ProcessorClockLine(texts.Text("TitleCPU2"), cpuClock_));
    texts_.cpuLoad = texts.Text("TitleCPU3");
}

void CMainDlg::SetUpGeometry()
{
    fullRect_ = WindowRect(hwnd());
    expandedClient_ = ClientRect(hwnd());
    compactRect_ = ToRect(CompactBox(ToBox(fullRect_)));
    SetWindowPos(hwnd(), nullptr, 0, 0, compactRect_.right - compactRect_.left,
                 fullRect_.bottom - fullRect_.top, SWP_NOMOVE | SWP_NOZORDER);
    currentRect_ = compactRect_;
    compactClient_ = ClientRect(hwnd());
    for (HWND control = GetWindow(hwnd(), GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
        RECT place = WindowRect(control);
        MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&place), 2);
        // The dialog itself is not shown yet: its controls' own style says which are.
        const bool shown = (GetWindowLongPtrA(control, GWL_STYLE) & WS_VISIBLE) != 0;
        if (shown && InRightHalf(ToBox(place), ToBox(compactClient_)))
            rightHalf_.push_back(control);
    }
    ShowRightHalf(false);
}

void CMainDlg::ShowRightHalf(bool show)
{
    for (HWND control : rightHalf_)
        ShowWindow(control, show ? SW_SHOWNA : SW_HIDE);
    // The focus may have been in the half that went.
    HWND focus = GetFocus();
    if (!show && focus && IsChild(hwnd(), focus) && !IsWindowVisible(focus))
        SendMessageA(hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDC_TAB_BUTTON)), TRUE);
}

void CMainDlg::ApplyControlTexts()
{
    CResourceText texts;
    win32::ApplyTexts(
        *this, texts.Lookup(), nullptr,
        {win32::TextItem{IDC_LZL_BUTTON, "IDC_LZL_BUTTON"}, win32::TextItem{IDC_CLEANRAM_BT, "IDC_CLEANRAM_BT"},
         win32::TextItem{IDCANCEL, "IDCANCEL"}, win32::TextItem{IDC_TAB_BUTTON, "IDC_TAB_BUTTON1"},
         win32::TextItem{IDC_STATICBT2, "IDC_STATICBT2"}, win32::TextItem{IDC_STATICBT4, "IDC_STATICBT4"},
         win32::TextItem{IDC_STATICBT5, "IDC_STATICBT5"}, win32::TextItem{IDC_STATICUSESM, "IDC_STATICUSESM"},
         win32::TextItem{IDC_STATICZDSM1, "IDC_STATICZDSM1"}, win32::TextItem{IDC_STATICZDSM2, "IDC_STATICZDSM2"},
         win32::TextItem{IDC_CHECKSOUND, "IDC_CHECKSOUND"}, win32::TextItem{IDC_CHECKAUTODEFRAG, "IDC_CHECKAUTODEFRAG"},
         win32::TextItem{IDC_CHECKCLIPBOARD, "IDC_CHECKCLIPBOARD"}, win32::TextItem{IDC_CHECKLOG, "IDC_CHECKLOG"},
         win32::TextItem{IDC_CHECKAUTORUN, "IDC_CHECKAUTORUN"},
         win32::TextItem{IDC_BUTTONSAVERAM, "IDC_BUTTONSAVERAM"}, win32::TextItem{IDC_METHODS_BT, "IDC_METHODS_BT"},
         win32::TextItem{IDC_HISTORY_BT, "IDC_HISTORY_BT"}, win32::TextItem{IDC_MEMORY_MAP_BT, "IDC_MEMORY_MAP_BT"},
         win32::TextItem{IDC_MSCONFIG_BT, "IDC_MSCONFIG_BT"}, win32::TextItem{IDC_PROCESSMG_BT, "IDC_PROCESSMG_BT"},
         win32::TextItem{IDC_SERVICEMG_BT, "IDC_SERVICEMG_BT"}, win32::TextItem{IDC_EXITBT, "IDC_EXITBT"},
         win32::TextItem{IDC_BUTTONOT1, "IDC_BUTTONOT1"}, win32::TextItem{IDC_ABOUT2, "IDC_ABOUT2"},
         win32::TextItem{IDC_HIDEBT2, "IDC_HIDEBT2"},
         win32::TextItem{IDC_CHECKAUTODEFRAGTIP, "IDC_CHECKAUTODEFRAGTIP"},
         win32::TextItem{IDC_HELP_BT, "MenuItem11"}, win32::TextItem{IDC_CHECKALERTNOTICE, "IDC_CHECKALERTNOTICE"},
         win32::TextItem{IDC_LANGUAGE_LABEL, "IDC_LANGUAGE_LABEL"},
         win32::TextItem{IDC_CLEAN_HOTKEY_LABEL, "IDC_CLEAN_HOTKEY_LABEL"},
         win32::TextItem{IDC_POLICY_NOTE, "strSetByOrganisation"}});
    // A slider, a spin button and a hotkey control show no text of their own: they take their
    // label's, which is what a screen reader calls them.
    SetItemText(IDC_AMOUNT_SLIDER, SpokenText(GetItemText(IDC_STATICBT2)));
    SetItemText(IDC_ALERT_SPIN, SpokenText(GetItemText(IDC_STATICZDSM1)));
    SetItemText(IDC_CLEAN_HOTKEY, SpokenText(GetItemText(IDC_CLEAN_HOTKEY_LABEL)));
    // The window has more commands than its texts have letters: help, which F1 opens, leaves its
    // letter to History.
    SetItemText(IDC_HELP_BT, WithoutMnemonic(GetItemText(IDC_HELP_BT)));
}

void CMainDlg::LoadTickTexts()
{
    CResourceText texts;
    texts_.pramTotal = texts.Text("PRAMtotalStr");
    texts_.pramFree = texts.Text("PRAMFreeStr");
    texts_.ramFree = texts.Text("RAMFreeStr");
    texts_.pageFree = texts.Text("PageFreeStr");
    texts_.vramFree = texts.Text("VRAMFreeStr");
    texts_.curTime = texts.Text("CurTimeStr");
    texts_.tipsCpu = texts.Text("IconTipsCPU");
    texts_.tipsRam = texts.Text("IconTipsRAM");
    texts_.memoryUse = texts.TextOr("strMemoryUse", "USE");
    // 0 = Sunday.
    constexpr const char* kWeekdayKeys[] = {"WEEKSTR0", "WEEKSTR1", "WEEKSTR2", "WEEKSTR3",
                                            "WEEKSTR4", "WEEKSTR5", "WEEKSTR6"};
    for (size_t day = 0; day < texts_.weekdays.size(); ++day)
        texts_.weekdays[day] = texts.Text(kWeekdayKeys[day]);
}

void CMainDlg::SetUpUserType()
{
    CResourceText texts;
    const win32::ComboBox list(Item(IDC_USERTYPE_COMBO));
    list.Clear();
    for (const char* key : {"strComboxText1", "strComboxText2", "strComboxText3", "strComboxText4", "strComboxText5"})
        list.AddString(texts.Text(key));
    list.Select(userType_);
    if (userType_ == kCustomUserType)
        EnableItem(IDC_AMOUNT_SLIDER, true);
}

void CMainDlg::MoveOffScreen()
{
    SetWindowPos(hwnd(), nullptr, -1024, -1024, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetTimer(hwnd(), kHiddenStartTimer, kHiddenStartMs, nullptr);
}

void CMainDlg::SetUpStartState()
{
    if (!showStatus_ && !firstArgument_)
        MoveOffScreen();
    if (firstArgument_ && IsPowerOnArgument(*firstArgument_)) {
        MoveOffScreen();
        DelayedLauncher().Start();
        SetTimer(hwnd(), kLauncherTimer, kDelayLauncherPeriodMs, nullptr);
    }
}
