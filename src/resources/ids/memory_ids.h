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

// The cleaning methods.
#define IDD_CLEANING_METHODS           141
#define IDC_METHODS_INTRO              1150
#define IDC_METHOD_FILL                1151
#define IDC_METHOD_WORKINGSETS         1152
#define IDC_METHOD_FILECACHE           1153
#define IDC_METHOD_MODIFIED            1154
#define IDC_METHOD_STANDBY             1155
#define IDC_METHOD_LOWPRIORITY         1156
#define IDC_METHOD_COMBINE             1157
#define IDC_METHODS_NOTE               1158
#define IDC_METHODS_AUTOGROUP          1159
#define IDC_STANDBY_AUTOCLEAN          1160
#define IDC_STANDBY_EDIT               1161
#define IDC_STANDBY_SPIN               1162
#define IDC_STANDBY_UNIT               1163
#define IDC_REPORT_METHODS             1164

// Programs left alone or pausing automatic cleaning, and the waits between automatic cleans.
#define IDD_PROGRAMS_PAUSES            145
#define IDC_METHODS_PROGRAMS           1170  // opens it from the cleaning methods
#define IDC_PP_PROGRAM_LABEL           1171
#define IDC_PP_PROGRAM                 1172
#define IDC_PP_KEEP_LABEL              1173
#define IDC_PP_KEEP_LIST               1174
#define IDC_PP_KEEP_ADD                1175
#define IDC_PP_KEEP_REMOVE             1176
#define IDC_PP_PAUSE_LABEL             1177
#define IDC_PP_PAUSE_LIST              1178
#define IDC_PP_PAUSE_ADD               1179
#define IDC_PP_PAUSE_REMOVE            1180
#define IDC_PP_NOTE                    1181
#define IDC_PP_LOOPS_GROUP             1182
#define IDC_PP_INTERVAL_LABEL          1183
#define IDC_PP_INTERVAL_EDIT           1184
#define IDC_PP_INTERVAL_SPIN           1185
#define IDC_PP_BACKOFF_LABEL           1186
#define IDC_PP_BACKOFF_EDIT            1187
#define IDC_PP_BACKOFF_SPIN            1188
#define IDC_PP_UNHELPFUL               1241
