#pragma once
// Control and command ids of the cache windows.
#define IDD_CACHESETUP_DIALOG      129

#define IDC_STATICCKG1             1033
#define IDC_STATICHDIOCACHE        1025
#define IDC_STATIC_HDCHOICE        1078
#define IDC_STATIC_HDLOW           1026
#define IDC_SLIDER_HDCACHE         1028
#define IDC_STATIC_HDHIGH          1027
#define IDC_STATICCDIOCACHE        1029
#define IDC_STATIC_CDCHOICE        1077
#define IDC_STATIC_CDLOW           1030
#define IDC_SLIDER_CDCACHE         1032
#define IDC_STATIC_CDHIGH          1031
#define IDC_PAGECLEAN_CHECK        1034
#define IDC_RESTORECACHE_BUTTON    1035
#define IDC_BUTTONSURECACHE        1063
