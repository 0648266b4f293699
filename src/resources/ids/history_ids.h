#pragma once
// Control ids of the History window.
#define IDD_HISTORY_DIALOG             146
#define IDC_HISTORY_CHART_TITLE        1190
#define IDC_HISTORY_CHART              1191
#define IDC_HISTORY_STATUS             1192
#define IDC_HISTORY_LIST               1193
#define IDC_HISTORY_SUMMARY            1240
