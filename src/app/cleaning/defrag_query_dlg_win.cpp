#include "app/cleaning/defrag_query_dlg_win.h"

#include <cstdint>
#include <string>
#include <utility>

#include "app/settings/settings_win.h"
#include "app/cleaning/system_load_win.h"
#include "common/registry_key_win.h"
#include "common/resource_text.h"
#include "resources/resource.h"
#include "win32/dialog_texts.h"

CDefragQueryDlg::CDefragQueryDlg(std::function<std::string()> loadLine, bool standby)
    : win32::ToolDialog(IDD_DEFRAGQUERY_DIALOG), loadLine_(std::move(loadLine)),
      noNotice_(ReadConstructionSettings().noticeDialog != 0), standbyReason_(standby)
{
}

void CDefragQueryDlg::ReadControls() { noNotice_ = IsChecked(IDC_NOTNOTICE_CHECK); }

void CDefragQueryDlg::WriteControls() { SetChecked(IDC_NOTNOTICE_CHECK, noNotice_); }

BOOL CDefragQueryDlg::OnInit()
{
    WriteControls();
    ReadControls();
    if (noNotice_) {
        // Asking is switched off: answer before the window is ever shown.
        OnOK();
        return TRUE;
    }

    int32_t load = 0, freePercent = 0;
    GetSystemLoad(&load, &freePercent);
    SetItemText(IDC_CPUSTATUS_TEXT, std::to_string(load) + "%");
    SetTimer(hwnd(), kLoadCopyTimer, kLoadCopyPeriodMs, nullptr);

    CResourceText texts;
    win32::ApplyTexts(*this, texts.Lookup(), "IDD_DEFRAGQUERY_DIALOG",
                      {win32::TextItem{IDC_STATICDEDLGQUERY0, "IDC_STATICDEDLGQUERY0"},
                       win32::TextItem{IDC_STATICDEDLGQUERY1, "IDC_STATICDEDLGQUERY1"},
                       win32::TextItem{IDC_STATICDEDLGQUERY2, "IDC_STATICDEDLGQUERY2"},
                       win32::TextItem{IDC_STATICCPUSTATUSINNOTICE, "IDC_STATICCPUSTATUSINNOTICE"},
                       win32::TextItem{IDC_NOTNOTICE_CHECK, "IDC_NOTNOTICE_CHECK"},
                       win32::TextItem{IDOK, "IDOKINTSZL"},
                       win32::TextItem{IDCANCEL, "IDCANCELINTSZL"}});
    if (standbyReason_)
        SetItemText(IDC_STATICDEDLGQUERY0, texts.Text("StandbyQueryText"));
    return TRUE;
}

bool CDefragQueryDlg::OnCommand(int id, int code, HWND /*control*/)
{
    if (id != IDC_NOTNOTICE_CHECK || code != BN_CLICKED)
        return false;
    ReadControls();
    StoreNoNotice();
    return true;
}

void CDefragQueryDlg::StoreNoNotice()
{
    {
        // The value needs its key, which a first start may not have made yet.
        CRegistryKey parent;
        if (parent.Open(HKEY_LOCAL_MACHINE, kSettingsParentKey, KEY_ALL_ACCESS) == ERROR_SUCCESS)
            parent.CreateSubKey(kSettingsSubKey);
    }
    WriteNoticeDialog(noNotice_);
}

void CDefragQueryDlg::OnTimer(UINT_PTR id)
{
    if (id != kLoadCopyTimer)
        return;
    // Without a load line to follow, the last text stays.
    if (loadLine_)
        SetItemText(IDC_CPUSTATUS_TEXT, loadLine_());
}

void CDefragQueryDlg::OnOK()
{
    KillTimer(hwnd(), kLoadCopyTimer);
    EndDialog(IDOK);
}

void CDefragQueryDlg::OnCancel()
{
    KillTimer(hwnd(), kLoadCopyTimer);
    EndDialog(IDCANCEL);
}
