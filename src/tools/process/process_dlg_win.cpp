#include "tools/process/process_dlg_win.h"

#include <utility>

#include "common/file_icon_win.h"
#include "common/registry_key_win.h"
#include "common/resource_text.h"
#include "resources/resource.h"
#include "tools/process/process_view.h"
#include "win32/dialog_texts.h"
#include "win32/dpi.h"
#include "win32/handles.h"
#include "win32/ui_host.h"
#include "win32/wait_cursor.h"

namespace {

constexpr const char* kExplorerKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
constexpr const char* kAlwaysUnloadDll = "AlwaysUnloadDLL";

void ShowMessage(HWND owner, const std::string& text)
{
    win32::MessageBoxText(owner, text, win32::kProgramName, MB_OK | MB_ICONEXCLAMATION);
}

std::string WindowsDirectory()
{
    char dir[MAX_PATH] = {};
    const UINT length = GetWindowsDirectoryA(dir, MAX_PATH);
    return length < MAX_PATH ? std::string(dir, length) : std::string();
}

} // namespace

CProcessDlg::CProcessDlg(std::function<bool()> isWindows9x)
    : ToolDialog(IDD_PROCESS_DIALOG), isWindows9x_(std::move(isWindows9x))
{
    CRegistryKey key;
    std::string value;
    if (key.Open(HKEY_LOCAL_MACHINE, kExplorerKey, KEY_ALL_ACCESS) == ERROR_SUCCESS &&
        key.QueryString(value, kAlwaysUnloadDll) == ERROR_SUCCESS)
        alwaysUnloadDll_ = value.find('1') != std::string::npos;
}

void CProcessDlg::ReadControls() { alwaysUnloadDll_ = IsChecked(IDC_DLL_CHECK); }

void CProcessDlg::WriteControls() { SetChecked(IDC_DLL_CHECK, alwaysUnloadDll_); }

BOOL CProcessDlg::OnInit()
{
    CResourceText texts;
    win32::ApplyTexts(*this, texts.Lookup(), "IDD_PROCESS_DIALOG",
                      {win32::TextItem{IDC_DLL_CHECK, "IDC_DLL_CHECK"},
                       win32::TextItem{IDC_REFRESHPROCESS_BT, "IDC_REFRESHPROCESS_BT"},
                       win32::TextItem{IDC_KILLPROCESS_BT, "IDC_KILLPROCESS_BT"},
                       win32::TextItem{IDCANCEL, "IDCANCELINPRO"}});
    WriteControls();

    const int iconSize = win32::SmallIconSize(hwnd());
    images_.reset(ImageList_Create(iconSize, iconSize, ILC_COLOR32 | ILC_MASK, 9, 9));
    list_ = win32::ListView(Item(IDC_PROCESS_LIST));
    list_.SetImageList(images_.get());
    list_.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);
    list_.AddColumn(0, texts.Text("PLISTITEM1"), 300, LVCFMT_LEFT);
    list_.AddColumn(1, texts.Text("PLISTITEM2"), 100, LVCFMT_CENTER);
    list_.AddColumn(2, texts.Text("PLISTITEM3"), 140, LVCFMT_LEFT);

    FillList();
    EnableItem(IDC_KILLPROCESS_BT, false);
    return TRUE;
}

void CProcessDlg::FillList()
{
    list_.DeleteAll();
    ImageList_RemoveAll(images_.get());
    const bool family9x = isWindows9x_();
    if (!processes_.Refresh(family9x)) {
        ShowMessage(hwnd(), "Error Get Processes!");
        return;
    }
    CResourceText texts;
    const std::string windowsDir = WindowsDirectory();
    for (int j = 0; j < processes_.Count(); ++j) {
        const std::string& path = processes_.ModulePath(j);
        // The icon comes from the path as enumerated, before it is rewritten for display.
        AddFileIcon(path, images_.get());
        const int row = list_.InsertRow(j, ProcessDisplayPath(path, windowsDir), ImageList_GetImageCount(images_.get()) - 1);
        list_.SetCell(row, 1, FormatProcessId(processes_.ProcessId(j)));
        std::string memory;
        if (family9x) {
            memory = texts.Text("strMemStatusQueryError");
        } else if (IsOwnProgramPath(path)) {
            memory = kMemoryManagerText;
        } else {
            double megabytes = 0.0;
            CProcessList::GetProcessWorkingSetMB(processes_.ProcessId(j), megabytes);
            memory = WorkingSetText(megabytes);
        }
        list_.SetCell(row, 2, memory);
    }
}

void CProcessDlg::EndCurrentProcess()
{
    win32::WaitCursor wait;
    const int row = list_.FocusedRow();
    if (row < 0 || row >= processes_.Count())
        return;
    switch (CheckKillRefusal(processes_.ModulePath(row), list_.GetCell(row, 2))) {
    case KillRefusal::SystemProcess:
        ShowMessage(hwnd(), UiText("strKillSysServiceMessage"));
        break;
    case KillRefusal::OwnProgram:
        ShowMessage(hwnd(), UiText("strKillMeMessage"));
        break;
    case KillRefusal::None:
        // A process that did not end in time shows again after the refill.
        CProcessList::KillProcess(processes_.ProcessId(row));
        FillList();
        break;
    }
    EnableItem(IDC_KILLPROCESS_BT, false);
}

bool CProcessDlg::OnCommand(int id, int code, HWND /*control*/)
{
    if (code != BN_CLICKED)
        return false;
    switch (id) {
    case IDC_REFRESHPROCESS_BT:
        FillList();
        EnableItem(IDC_KILLPROCESS_BT, false);
        return true;
    case IDC_KILLPROCESS_BT:
        EndCurrentProcess();
        return true;
    default:
        return false;
    }
}

bool CProcessDlg::OnNotify(NMHDR& header, LRESULT& /*result*/)
{
    // Only a mouse click arms the end button; keyboard moves do not.
    if (header.idFrom == IDC_PROCESS_LIST && header.code == NM_CLICK && list_.FocusedRow() >= 0)
        EnableItem(IDC_KILLPROCESS_BT, true);
    return false;
}

void CProcessDlg::OnDestroy()
{
    list_.SetImageList(nullptr);
    images_.reset();
}

void CProcessDlg::OnCancel()
{
    ReadControls();
    CRegistryKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, kExplorerKey, KEY_ALL_ACCESS) == ERROR_SUCCESS) {
        if (alwaysUnloadDll_)
            key.SetString(kAlwaysUnloadDll, "1");
        else
            key.DeleteValue(kAlwaysUnloadDll);
    }
    EndDialog(IDCANCEL);
}
