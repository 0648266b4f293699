// The main window's construction and the exchange between its members and its controls.
#include "app/main_window/main_dlg_win.h"

#include "app/settings/settings_win.h"
#include "remote/request_server_win.h"
#include "resources/resource.h"

CMainDlg::CMainDlg(std::optional<std::string> firstArgument)
    : Dialog(IDD_MAIN_DIALOG), firstArgument_(std::move(firstArgument))
{
    WaitInOwnLoop(); // the resident's ticks are most of what it ever does
    windowIcon_.reset(static_cast<HICON>(
        LoadImageA(win32::ResourceModule(), MAKEINTRESOURCEA(IDR_MAINFRAME), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE)));
    const ConstructionSettings stored = ReadConstructionSettings();
    fields_.soundAlert = stored.soundAlert;
    fields_.autoDefrag = stored.autoDefrag;
    fields_.cleanClipboard = stored.cleanClipBoard;
    fields_.alertText = std::to_string(stored.ramAlertValue);
    fields_.buildReport = stored.buildReport;
    fields_.askBeforeClean = stored.noticeDialog == 0;
    fields_.toolsWithoutWarning = stored.otherFunctionTips == 0;
    fields_.runAfterBoot = stored.runAfterBoot;
}

CColorStatic& CMainDlg::Label(int id)
{
    for (CColorStatic& label : labels_)
        if (GetDlgCtrlID(label.hwnd()) == id)
            return label;
    return labels_[0];
}

void CMainDlg::ReadControls()
{
    fields_.cleanClipboard = IsChecked(IDC_CHECKCLIPBOARD);
    fields_.autoDefrag = IsChecked(IDC_CHECKAUTODEFRAG);
    fields_.soundAlert = IsChecked(IDC_CHECKSOUND);
    fields_.buildReport = IsChecked(IDC_CHECKLOG);
    fields_.runAfterBoot = IsChecked(IDC_CHECKAUTORUN);
    fields_.askBeforeClean = IsChecked(IDC_CHECKAUTODEFRAGTIP);
    fields_.twelveHour = IsChecked(IDC_12H_CHECK);
    fields_.toolsWithoutWarning = IsChecked(IDC_CHECKALERTNOTICE);
    fields_.alertText = GetItemText(IDC_ALERT_EDIT);
    fields_.sliderMin = GetItemText(IDC_SLIDER_MIN);
    fields_.sliderMax = GetItemText(IDC_SLIDER_MAX);
}

void CMainDlg::WriteControls()
{
    SetChecked(IDC_CHECKCLIPBOARD, fields_.cleanClipboard);
    SetChecked(IDC_CHECKAUTODEFRAG, fields_.autoDefrag);
    SetChecked(IDC_CHECKSOUND, fields_.soundAlert);
    SetChecked(IDC_CHECKLOG, fields_.buildReport);
    SetChecked(IDC_CHECKAUTORUN, fields_.runAfterBoot);
    SetChecked(IDC_CHECKAUTODEFRAGTIP, fields_.askBeforeClean);
    SetChecked(IDC_12H_CHECK, fields_.twelveHour);
    SetChecked(IDC_CHECKALERTNOTICE, fields_.toolsWithoutWarning);
    if (GetItemText(IDC_ALERT_EDIT) != fields_.alertText)
        SetItemText(IDC_ALERT_EDIT, fields_.alertText);
    SetItemText(IDC_SLIDER_MIN, fields_.sliderMin);
    SetItemText(IDC_SLIDER_MAX, fields_.sliderMax);
}

void CMainDlg::InitGauge(BusyProgressCtrl& gauge, int upper, controls::Colour highlight) const
{
    gauge.followSystemColours = false;
    gauge.state.segmentCount = 32;
    gauge.state.lower = 0;
    gauge.state.upper = upper;
    gauge.state.mode = controls::kModeProgress;
    gauge.state.direction = 1;
    gauge.interval = 1;
    const palette::MonitorPalette& p = palette_;
    gauge.colours = {p.gaugeUnlit, p.gaugeUnlit, p.gaugeUnlitBorder, highlight, highlight, p.gaugeField};
    gauge.Layout();
    gauge.Invalidate();
}
