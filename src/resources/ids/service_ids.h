#pragma once
// Control and command ids of the service windows.
#define IDD_SERVICE_DIALOG     134

#define IDC_SERVICE_LIST       1045
#define IDC_STOPSEVALL_BT      1046
#define IDC_STARTSYSSEVBT      1047
#define IDC_StartSEVONE_BT     1048
#define IDC_StartSEVALL_BT     1049
#define IDC_STOPSEVONE_BT      1050
#define IDC_STATICSERVICESM    1060
