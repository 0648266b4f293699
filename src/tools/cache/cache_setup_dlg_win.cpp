#include "tools/cache/cache_setup_dlg_win.h"

#include <commctrl.h>

#include <climits>
#include <utility>

#include "common/resource_text.h"
#include "common/spoken_text.h"
#include "memory/memory_cleaner.h"
#include "resources/resource.h"
#include "tools/cache/cache_registry_win.h"
#include "tools/cache/cache_tables.h"
#include "win32/dialog_texts.h"
#include "win32/handles.h"
#include "win32/ui_host.h"
#include "win32/common_controls.h"

CCacheSetupDlg::CCacheSetupDlg(std::function<int()> totalPhysEvenMB)
    : win32::ToolDialog(IDD_CACHESETUP_DIALOG), totalPhysEvenMB_(std::move(totalPhysEvenMB))
{
    clearPageFile_ = cache::ReadClearPageFile();
    cache::TakeBackupOnce();
}

CCacheSetupDlg::CCacheSetupDlg() : CCacheSetupDlg(&CMemoryCleaner::TotalPhysEvenMB) {}

void CCacheSetupDlg::ReadControls() { clearPageFile_ = IsChecked(IDC_PAGECLEAN_CHECK); }

void CCacheSetupDlg::WriteControls() { SetChecked(IDC_PAGECLEAN_CHECK, clearPageFile_); }

BOOL CCacheSetupDlg::OnInit()
{
    WriteControls();
    SetUpSliders();
    CResourceText texts;
    // The caption is the main window's button's text, which carries a keyboard mark.
    SetCaption(WithoutMnemonic(texts.Text("IDC_BUTTONOT1")));
    win32::ApplyTexts(*this, texts.Lookup(), nullptr,
                      {win32::TextItem{IDC_STATICCKG1, "IDC_STATICCKG1"},
                       win32::TextItem{IDC_STATICHDIOCACHE, "IDC_STATICHDIOCACHE"},
                       win32::TextItem{IDC_STATICCDIOCACHE, "IDC_STATICCDIOCACHE"},
                       win32::TextItem{IDC_PAGECLEAN_CHECK, "IDC_PAGECLEAN_CHECK"},
                       win32::TextItem{IDC_RESTORECACHE_BUTTON, "IDC_RESTORECACHE_BUTTON"},
                       win32::TextItem{IDC_BUTTONSURECACHE, "IDC_BUTTONSURECACHE"},
                       win32::TextItem{IDOK, "IDOKINCACHE"}});
    return TRUE;
}

int CCacheSetupDlg::SliderPosition(int id) const
{
    return win32::Trackbar(Item(id)).Position();
}

void CCacheSetupDlg::SetSlider(int id, int lowest, int highest, long position) const
{
    const win32::Trackbar slider(Item(id));
    slider.SetRange(lowest, highest);
    slider.SetPosition(static_cast<int>(position));
}

void CCacheSetupDlg::SetUpSliders()
{
    SetItemText(IDC_STATIC_HDLOW, " 4 MB");
    SetItemText(IDC_STATIC_HDHIGH, "64 MB");
    SetItemText(IDC_STATIC_CDLOW, cache::KilobytesLabel(cache::kCdPrefetch[0]));
    SetItemText(IDC_STATIC_CDHIGH, cache::KilobytesLabel(cache::kCdPrefetch[cache::kCdPositions - 1]));

    // The slider clamps a stored position; the tables are indexed with what it reports back.
    if (const auto saved = cache::SavedHardDiskPosition()) {
        SetSlider(IDC_SLIDER_HDCACHE, 0, cache::kHardDiskPositions - 1, *saved);
        SetItemText(IDC_STATIC_HDCHOICE, cache::HardDiskLabel(SliderPosition(IDC_SLIDER_HDCACHE)));
    } else {
        const int memoryMB = totalPhysEvenMB_ ? totalPhysEvenMB_() : 0;
        SetSlider(IDC_SLIDER_HDCACHE, 0, cache::kHardDiskPositions - 1,
                  cache::HardDiskPositionForMemory(memoryMB));
        SetItemText(IDC_STATIC_HDCHOICE, UiText("IDC_STATIC_HDSM"));
    }
    SetSlider(IDC_SLIDER_CDCACHE, 0, cache::kCdPositions - 1, cache::SavedCdPosition());
    SetItemText(IDC_STATIC_CDCHOICE, cache::CdLabelAtSetup(SliderPosition(IDC_SLIDER_CDCACHE)));
}

bool CCacheSetupDlg::OnNotify(NMHDR& header, LRESULT& /*result*/)
{
    if (header.code != static_cast<UINT>(NM_RELEASEDCAPTURE))
        return false;
    if (header.idFrom == IDC_SLIDER_HDCACHE) {
        SetItemText(IDC_STATIC_HDCHOICE, cache::HardDiskLabel(SliderPosition(IDC_SLIDER_HDCACHE)));
        return true;
    }
    if (header.idFrom == IDC_SLIDER_CDCACHE) {
        SetItemText(IDC_STATIC_CDCHOICE, cache::CdLabelAfterDrag(SliderPosition(IDC_SLIDER_CDCACHE)));
        return true;
    }
    return false;
}

bool CCacheSetupDlg::OnCommand(int id, int code, HWND /*control*/)
{
    if (code != BN_CLICKED)
        return false;
    if (id == IDC_BUTTONSURECACHE) {
        Save();
        return true;
    }
    if (id == IDC_RESTORECACHE_BUTTON) {
        Restore();
        return true;
    }
    return false;
}

void CCacheSetupDlg::Save()
{
    ReadControls();
    cache::SaveSettings(SliderPosition(IDC_SLIDER_CDCACHE), SliderPosition(IDC_SLIDER_HDCACHE),
                        clearPageFile_);
    SetUpSliders();
    win32::MessageBoxText(hwnd(), UiText("MessageCacheSetupEnd"), win32::kProgramName, MB_OK);
}

void CCacheSetupDlg::Restore()
{
    cache::RestoreBackup();
    SetUpSliders();
    win32::MessageBoxText(hwnd(), UiText("MessageCacheRestore"), win32::kProgramName, MB_OK);
}

void CCacheSetupDlg::OnOK()
{
    ReadControls();
    cache::StoreClearPageFile(clearPageFile_);
    EndDialog(IDOK);
}

