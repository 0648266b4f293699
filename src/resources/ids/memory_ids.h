#pragma once
// Control and command ids of the memory windows.

// The cleaning report.
#define IDD_REPORT_DIALOG              139
#define IDC_REPORT_LABEL1              1122
#define IDC_REPORT_VALUE1              1123
#define IDC_REPORT_UNIT1               1124
#define IDC_REPORT_LABEL2              1125
#define IDC_REPORT_VALUE2              1126
#define IDC_REPORT_UNIT2               1127
#define IDC_REPORT_LABEL3              1128
#define IDC_REPORT_VALUE3              1129
#define IDC_REPORT_UNIT3               1130
#define IDC_REPORT_LABEL4              1131
#define IDC_REPORT_VALUE4              1132
#define IDC_REPORT_UNIT4               1133
#define IDC_REPORT_ADVICE              1134

// The question before an automatic clean.
#define IDD_DEFRAGQUERY_DIALOG         130
#define IDC_STATICDEDLGQUERY1          1039
#define IDC_STATICDEDLGQUERY0          1040
#define IDC_STATICDEDLGQUERY2          1041
#define IDC_NOTNOTICE_CHECK            1042
#define IDC_STATICCPUSTATUSINNOTICE    1043
#define IDC_CPUSTATUS_TEXT             1044
