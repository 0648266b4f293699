#pragma once
// Control and command ids of the about windows.
#define IDD_ABOUTBOX               136

#define IDC_STATIC_VERSION         1136
#define IDC_STATICCOPYRIGHT        1119
#define IDC_STATICPROGRAM          1120
#define IDC_STATICABOUTKG          1121
#define IDC_STATICWEBSITE          1074
#define IDC_LINK_WEBSITE           1072
#define IDC_STATICEMAIL            1075
#define IDC_LINK_MAIL              1073
#define IDC_ABOUT_LOGO             5485
