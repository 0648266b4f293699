#pragma once
// What an organisation set, shown in a dialog: the controls of the settings its policies fix are
// greyed, and the dialog's line (IDC_POLICY_NOTE) says who set them.
#include "common/setting_table.h"
#include "win32/dialog.h"

// The controls are kept disabled (win32::Dialog::KeepDisabled) for as long as the window lives.
void ShowPolicies(win32::Dialog& dialog, const SettingValues& values);
