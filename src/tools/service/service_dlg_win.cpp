#include "tools/service/service_dlg_win.h"

#include "common/launch_environment_win.h"
#include "common/resource_text.h"
#include "resources/resource.h"
#include "tools/service/service_logic.h"
#include "win32/dialog_texts.h"
#include "win32/dpi.h"
#include "win32/handles.h"
#include "win32/ui_host.h"

namespace {

constexpr int kStoppedImage = 0;
constexpr int kRunningImage = 1;
constexpr size_t kMaxDescription = 4095;

enum Column { kName, kStatus, kStartType, kDescription, kProgramPath };

void AddIcon(HIMAGELIST images, int id)
{
    win32::UniqueIcon icon(static_cast<HICON>(
        LoadImageA(win32::ResourceModule(), MAKEINTRESOURCEA(id), IMAGE_ICON, 16, 16, 0)));
    ImageList_ReplaceIcon(images, -1, icon.get());
}

} // namespace

CServiceDlg::CServiceDlg() : ToolDialog(IDD_SERVICE_DIALOG) {}

BOOL CServiceDlg::OnInit()
{
    CResourceText texts;
    win32::ApplyTexts(*this, texts.Lookup(), "IDD_SERVICE_DIALOG",
                      {win32::TextItem{IDC_STOPSEVALL_BT, "IDC_STOPSEVALL_BT"},
                       win32::TextItem{IDC_StartSEVALL_BT, "IDC_StartSEVALL_BT"},
                       win32::TextItem{IDC_STOPSEVONE_BT, "IDC_STOPSEVONE_BT"},
                       win32::TextItem{IDC_StartSEVONE_BT, "IDC_StartSEVONE_BT"},
                       win32::TextItem{IDC_STARTSYSSEVBT, "IDC_STARTSYSSEVBT"},
                       win32::TextItem{IDC_STATICSERVICESM, "IDC_STATICSERVICESM"},
                       win32::TextItem{IDCANCEL, "IDCANCELINSM"}});

    const int iconSize = win32::SmallIconSize(hwnd());
    images_.reset(ImageList_Create(iconSize, iconSize, ILC_COLOR32 | ILC_MASK, 9, 9));
    AddIcon(images_.get(), IDI_SERVICE_STOPPED);
    AddIcon(images_.get(), IDI_SERVICE_RUNNING);
    list_ = win32::ListView(Item(IDC_SERVICE_LIST));
    list_.SetImageList(images_.get());
    list_.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);
    list_.AddColumn(kName, texts.Text("MSITEM1"), 200);
    list_.AddColumn(kStatus, texts.Text("MSITEM2"), 60);
    list_.AddColumn(kStartType, texts.Text("MSITEM3"), 0);
    list_.AddColumn(kDescription, texts.Text("MSITEM4"), 240);
    list_.AddColumn(kProgramPath, texts.Text("MSITEM5"), 0);

    if (!control_.Load()) {
        win32::MessageBoxText(hwnd(), texts.Text("strErrorServiceSupport"), win32::kProgramName, MB_OK | MB_ICONEXCLAMATION);
        EndDialog(IDCANCEL);
        return TRUE;
    }
    FillList();
    EnableItem(IDC_STOPSEVONE_BT, false);
    EnableItem(IDC_StartSEVONE_BT, false);
    return TRUE;
}

void CServiceDlg::FillList()
{
    list_.DeleteAll();
    if (!control_.OpenManager())
        return;
    for (int i = 0; i < kServiceCount; ++i) {
        const ServiceEntry& entry = kServiceTable[static_cast<size_t>(i)];
        ServiceInfo info;
        const bool running = control_.QueryServiceInfo(entry.serviceName, info) == 1;
        const int row = list_.InsertRow(i, entry.displayName, running ? kRunningImage : kStoppedImage);
        list_.SetCell(row, kStatus, info.status);
        list_.SetCell(row, kStartType, info.startType);
        list_.SetCell(row, kDescription, info.description);
        list_.SetCell(row, kProgramPath, info.programPath);
    }
}

const char* CServiceDlg::CurrentServiceName() const
{
    const int row = list_.FocusedRow();
    if (row < 0 || row >= kServiceCount)
        return nullptr;
    return kServiceTable[static_cast<size_t>(row)].serviceName;
}

void CServiceDlg::ShowCurrentDescription()
{
    const int row = list_.FocusedRow();
    if (row < 0)
        return;
    EnableItem(IDC_STOPSEVONE_BT, true);
    EnableItem(IDC_StartSEVONE_BT, true);
    std::string description = list_.GetCell(row, kDescription);
    if (description.size() > kMaxDescription)
        description.resize(kMaxDescription);
    SetItemText(IDC_STATICSERVICESM, UiText("strServiceGuide") + description);
}

void CServiceDlg::OpenServicesConsole() const
{
    // The system's console program by its path, with Tidewell's rights, which managing services
    // needs: opening the .msc file would follow an association a plain user can set, and the
    // user's variables would reach a program with those rights.
    char systemDir[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryA(systemDir, sizeof systemDir);
    if (length == 0 || length >= sizeof systemDir)
        return;
    const std::string system(systemDir, length);
    const std::string console = system + "\\mmc.exe";
    StartSystemProgram(console, "\"" + console + "\" \"" + system + "\\services.msc\" /s", system, SW_SHOWMAXIMIZED);
}

bool CServiceDlg::OnCommand(int id, int code, HWND /*control*/)
{
    if (code != BN_CLICKED)
        return false;
    switch (id) {
    case IDC_StartSEVALL_BT:
        for (const ServiceEntry& entry : kServiceTable)
            control_.StartServiceByName(entry.serviceName);
        break;
    case IDC_STOPSEVALL_BT:
        for (const ServiceEntry& entry : kServiceTable)
            control_.StopServiceByName(entry.serviceName);
        break;
    case IDC_StartSEVONE_BT:
        if (const char* name = CurrentServiceName())
            control_.StartServiceByName(name);
        else
            return true;
        break;
    case IDC_STOPSEVONE_BT:
        if (const char* name = CurrentServiceName())
            control_.StopServiceByName(name);
        else
            return true;
        break;
    case IDC_STARTSYSSEVBT:
        OpenServicesConsole();
        return true;
    default:
        return false;
    }
    FillList();
    return true;
}

bool CServiceDlg::OnNotify(NMHDR& header, LRESULT& /*result*/)
{
    if (header.idFrom == IDC_SERVICE_LIST && header.code == NM_CLICK)
        ShowCurrentDescription();
    return false;
}

void CServiceDlg::OnDestroy()
{
    list_.SetImageList(nullptr);
    images_.reset();
}

void CServiceDlg::OnCancel()
{
    control_.Unload();
    EndDialog(IDCANCEL);
}
