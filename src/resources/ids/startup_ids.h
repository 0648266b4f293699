#pragma once
// Control and command ids of the startup windows.
#define IDD_AUTORUN_DIALOG   142
#define IDD_RUNSETUP_DIALOG  144

// Startup items dialog
#define IDC_APPLYRUN_BUTTON  1080
#define IDC_RUN_LIST         1081
#define IDC_DELRUN_BUTTON    1082
#define IDC_LGRUN_BUTTON     1083

// Start mode dialog
#define IDC_RUNSETUP_COMMAND 1084
#define IDC_RUNSETUP_NAME    1085
#define IDC_STATICKGS        1086
#define IDC_RADIOONE         1087
#define IDC_RADIOTWO         1088
#define IDC_RADIOTHREE       1089
#define IDC_RUNSETUP_MINUTES 1090
#define IDC_RUNSETUP_SPIN    1091
#define IDC_STATICSJSZ       1092
#define IDOKINRS             IDOK
#define IDCANCELINRS         IDCANCEL
#define IDCANCELINARUN       IDCANCEL
