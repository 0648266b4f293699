#pragma once
// Control and command ids of the main window and the splash window.
#define IDD_MAIN_DIALOG          102
#define IDD_SPLASH               140

// Left half: the monitor.
#define IDC_LZL_BUTTON           1065  // organise
#define IDC_CLEANRAM_BT          1066  // clean-up
#define IDC_TAB_BUTTON           1064  // widen / narrow
#define IDC_TITLE1               1084
#define IDC_PRAM_LINE            1097  // physical memory total and free
#define IDC_MEMGRAPH_PLACE       1011
#define IDC_AXIS75               1101
#define IDC_AXIS50               1102
#define IDC_AXIS25               1103
#define IDC_TITLE2               1085
#define IDC_CPU_NAME             1094
#define IDC_CPU_CLOCK            1095
#define IDC_CPU_LOAD             1096
#define IDC_CPUGRAPH_PLACE       1093
#define IDC_TITLE3               1086
#define IDC_PHYS_GAUGE           1012
#define IDC_PHYS_PERCENT         1100
#define IDC_PAGE_GAUGE           1009
#define IDC_PAGE_PERCENT         1098
#define IDC_VIRT_GAUGE           1010
#define IDC_VIRT_PERCENT         1099
#define IDC_TITLE4               1088
#define IDC_CLEAN_GAUGE          1015
#define IDC_CLEAN_PERCENT        1090
#define IDC_CLOCK_TITLE          1087
#define IDC_CLOCK_LINE           1089
#define IDC_12H_CHECK            1109
#define IDC_CPUGRAPH             5469  // created at run time
#define IDC_MEMGRAPH             5470  // created at run time
// The section glyphs, swapped for larger drawings at higher DPI.
#define IDC_GLYPH_MEMORY         5480
#define IDC_GLYPH_LOAD           5481
#define IDC_GLYPH_GAUGES         5482
#define IDC_GLYPH_CLEANING       5483
#define IDC_GLYPH_CLOCK          5484

// Right half: settings and tools.
#define IDC_STATICBT5            1024
#define IDC_STATICUSESM          1068
#define IDC_USERTYPE_COMBO       1069
#define IDC_STATICBT2            1013
#define IDC_AMOUNT_TEXT          1023
#define IDC_SLIDER_MIN           1007
#define IDC_AMOUNT_SLIDER        1006
#define IDC_SLIDER_MAX           1008
#define IDC_STATICZDSM1          1020
#define IDC_ALERT_EDIT           1018
#define IDC_ALERT_SPIN           1019
#define IDC_STATICZDSM2          1026
#define IDC_CHECKSOUND           1022
#define IDC_CHECKAUTODEFRAG      1016
#define IDC_CHECKAUTODEFRAGTIP   1025
#define IDC_CHECKCLIPBOARD       1005
#define IDC_CHECKLOG             1070
#define IDC_CHECKAUTORUN         1071
#define IDC_BUTTONSAVERAM        1017
#define IDC_STATICBT4            1037
#define IDC_BUTTONOT1            1036  // cache settings
#define IDC_MSCONFIG_BT          1054  // startup items
#define IDC_PROCESSMG_BT         1055
#define IDC_SERVICEMG_BT         1056
#define IDC_CHECKALERTNOTICE     1135  // tools without the warning
#define IDC_METHODS_BT           1149  // the cleaning methods dialog
#define IDC_HISTORY_BT           1194  // the History window
#define IDC_MEMORY_MAP_BT        1210  // where memory goes
#define IDC_LANGUAGE_LABEL       1195
#define IDC_LANGUAGE_COMBO       1196  // the interface's language
#define IDC_CLEAN_HOTKEY_LABEL   1290
#define IDC_CLEAN_HOTKEY         1291  // the hotkey that cleans
#define IDC_EXITBT               3
#define IDC_HIDEBT2              4
#define IDC_ABOUT2               5
#define IDC_HELP_BT              6

