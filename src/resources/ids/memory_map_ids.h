#pragma once
// Control ids of the window that shows where memory goes.
#define IDD_MEMORY_MAP_DIALOG          150
#define IDC_MAP_BAR_TITLE              1211
#define IDC_MAP_BAR                    1212
#define IDC_MAP_LIST                   1213
#define IDC_MAP_NOTE                   1214
