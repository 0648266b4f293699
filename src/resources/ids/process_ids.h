#pragma once
// Control and command ids of the process windows.
#define IDD_PROCESS_DIALOG     135

#define IDC_PROCESS_LIST       1055
#define IDC_REFRESHPROCESS_BT  1056
#define IDC_KILLPROCESS_BT     1057
#define IDC_DLL_CHECK          1059
